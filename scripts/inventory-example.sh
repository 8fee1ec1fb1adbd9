#!/usr/bin/env bash
# Makes the machine of docs/cli.md's inventory example in a Wine prefix of its own and runs
# JreSelectCli list, list --all and explain there, then checks that explain --json carries
# every fact of explain's text (tests/cli/check_json.py): Quillfern with its bundled runtime, an
# Eclipse Temurin 17 (machine-wide MSI, its bin first on PATH), an Azul Zulu 21, a Temurin 21
# installed for the current user only, a JDK 22 only on PATH, a JDK 11 named by JAVA_HOME,
# Oracle's javapath folder following an Oracle JDK 21 under JavaSoft\JDK, and a JDK 17
# unzipped in Program Files\Java. The launchers are the build's fixtures (x64).
# Usage: scripts/inventory-example.sh (after a build; JRESELECT_BUILD_DIR picks the tree)
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/wine-env.sh

choose_program_tree "the example runs"
tree=${JRESELECT_BUILD_DIR:-$program_tree} config=$program_config
[ -x "$tree/bin/JreSelectCli.exe" ] || bash scripts/build.sh $program_arch

example=$PWD/$tree/wine/inventory-example
trap 'stop_wineservers "$tree/wine"' EXIT
stop_wineservers "$tree/wine"
rm -rf "$(wine_prefix_path "$example" $config)"
export JRESELECT_WINE_CONFIG=$config
use_wine_prefix "$example"
c=$WINEPREFIX/drive_c

fixture=$tree/bin/fixtures/launcher_x64.exe
# java_home WINDOWS-PATH [JAVA_VERSION]: bin\javaw.exe and bin\java.exe, and a release file.
java_home() {
    local dir=$c/$(echo "${1#C:\\}" | tr '\\' /)
    mkdir -p "$dir/bin"
    cp "$fixture" "$dir/bin/javaw.exe"
    cp "$fixture" "$dir/bin/java.exe"
    if [ -n "${2:-}" ]; then
        printf 'IMPLEMENTOR="Example"\nJAVA_VERSION="%s"\nOS_NAME="Windows"\n' "$2" >"$dir/release"
    fi
}
reg_add() { wine reg add "$1" /v "$2" /d "$3" /f ${4:+/t $4} >/dev/null; }

product='C:\Program Files\Quillfern'
mkdir -p "$c/Program Files/Quillfern/jre/bin"
touch "$c/Program Files/Quillfern/jre/bin/javaw.exe" "$c/Program Files/Quillfern/start.jar"
reg_add 'HKLM\SOFTWARE\Velmor\Quillfern' home "$product"
reg_add 'HKLM\SOFTWARE\Velmor\Quillfern' starter "$product"'\jre\bin\javaw.exe'

temurin='C:\Program Files\Eclipse Adoptium\jdk-17.0.10.7-hotspot'
java_home "$temurin" 17.0.10
key='HKLM\SOFTWARE\Eclipse Adoptium\JDK\17.0.10.7\hotspot\MSI'
reg_add "$key" Path "$temurin"'\'
reg_add "$key" JavaHome 1 REG_DWORD

zulu='C:\Program Files\Zulu\zulu-21'
java_home "$zulu"
reg_add 'HKLM\SOFTWARE\Azul Systems\Zulu\zulu-21' InstallationPath "$zulu"

local_app_data=$(wine cmd /c echo %LOCALAPPDATA% | tr -d '\r')
user_temurin="$local_app_data"'\Programs\Eclipse Adoptium\jdk-21.0.2.13-hotspot'
java_home "$user_temurin" 21.0.2
reg_add 'HKCU\SOFTWARE\Eclipse Adoptium\JDK\21.0.2.13\hotspot\MSI' Path "$user_temurin"

java_home 'C:\tools\jdk-22' 22
java_home 'C:\java\jdk-11.0.22' 11.0.22

oracle='C:\Program Files\Java\jdk-21'
java_home "$oracle" 21.0.2
reg_add 'HKLM\SOFTWARE\JavaSoft\JDK' CurrentVersion 21
reg_add 'HKLM\SOFTWARE\JavaSoft\JDK\21' JavaHome "$oracle"
javapath='C:\Program Files\Common Files\Oracle\Java\javapath'
mkdir -p "$c/Program Files/Common Files/Oracle/Java/javapath"
cp "$fixture" "$c/Program Files/Common Files/Oracle/Java/javapath/java.exe"
cp "$fixture" "$c/Program Files/Common Files/Oracle/Java/javapath/javaw.exe"

java_home 'C:\Program Files\Java\jdk-17.0.2' 17.0.2

# The environment: JAVA_HOME as Wine passes it on; WINEPATH entries come first on PATH.
export JAVA_HOME='C:\java\jdk-11.0.22'
export WINEPATH="$temurin\\bin;$javapath;C:\\tools\\jdk-22\\bin"

for command in list "list --all" explain; do
    echo "C:\\>JreSelectCli $command"
    status=0
    wine "$tree/bin/JreSelectCli.exe" $command | tr -d '\r' || status=$?
    echo "(exit code $status)"
    echo
done

# explain --json on the same machine, held against explain's text by the tests' own check.
kept=$tree/artifacts/inventory-example
rm -rf "$kept" && mkdir -p "$kept"
wine "$tree/bin/JreSelectCli.exe" explain > "$kept/explain.cp1252.txt"
wine "$tree/bin/JreSelectCli.exe" explain --json > "$kept/explain.json"
sed -i 's/\r$//' "$kept/explain.cp1252.txt" "$kept/explain.json"
python3 tests/cli/check_json.py documents "$kept"
