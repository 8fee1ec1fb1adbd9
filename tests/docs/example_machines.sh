# Sourced: the machines of docs/cli.md's examples, made in the Wine prefix in WINEPREFIX
# (after wine_env or use_wine_prefix, scripts/wine-env.sh), and the capture of a command.
# $tree is the build tree whose programs and fixtures are used.

# The prefix's drive C: as a Unix path.
drive_c() { echo "$WINEPREFIX/drive_c"; }

# unix_path WINDOWS-PATH-ON-C
unix_path() { echo "$(drive_c)/$(echo "${1#C:\\}" | tr '\\' /)"; }

reg_add() { wine reg add "$1" /v "$2" /d "$3" /f ${4:+/t $4} >/dev/null; }

# Quillfern with its bundled runtime, which "starter" names.
seed_quillfern() {
    local product='C:\Program Files\Quillfern'
    mkdir -p "$(unix_path "$product")/jre/bin"
    touch "$(unix_path "$product")/jre/bin/javaw.exe" "$(unix_path "$product")/start.jar"
    reg_add 'HKLM\SOFTWARE\Velmor\Quillfern' home "$product"
    reg_add 'HKLM\SOFTWARE\Velmor\Quillfern' starter "$product"'\jre\bin\javaw.exe'
}

# registered_runtime SUBKEY JAVA-HOME [LAUNCHER] [REG-VIEW]: a subkey of the list's key, and
# the launcher (an empty file) in JAVA-HOME\bin unless LAUNCHER is "-".
registered_runtime() {
    local launcher=${3:-javaw.exe}
    wine reg add "HKLM\\SOFTWARE\\JavaSoft\\Java Runtime Environment\\$1" /v JavaHome /d "$2" \
        /f ${4:-} >/dev/null
    if [ "$launcher" != - ]; then
        mkdir -p "$(unix_path "$2")/bin"
        touch "$(unix_path "$2")/bin/$launcher"
    fi
}

# The example of "Example" and "JSON for scripts": five JavaSoft subkeys (one runtime under
# two names, one subkey without "JavaHome", one without a launcher) and a Microsoft VM
# older than 5.0.0.0.
seed_example_machine() {
    seed_quillfern
    registered_runtime 1.3.1 'C:\Program Files\JavaSoft\JRE\1.3.1' jrew.exe
    wine reg add 'HKLM\SOFTWARE\JavaSoft\Java Runtime Environment\1.4.2' /f >/dev/null
    registered_runtime 1.6.0_45 'C:\Program Files\Java\jre6' -
    registered_runtime 1.8 'C:\Program Files\Java\jre1.8.0_401'
    registered_runtime 1.8.0_401 'C:\Program Files\Java\jre1.8.0_401'
    wine reg add 'HKLM\SOFTWARE\Microsoft\Java VM' /f >/dev/null
    cp "$tree/bin/fixtures/wjview_4_79_0_0.exe" "$(drive_c)/windows/wjview.exe"
}

# The same, with a JDK 17 registered under SOFTWARE\JavaSoft\JDK.
seed_example_machine_with_jdk17() {
    seed_example_machine
    reg_add 'HKLM\SOFTWARE\JavaSoft\JDK\17' JavaHome 'C:\Program Files\Java\jdk-17.0.10'
    mkdir -p "$(unix_path 'C:\Program Files\Java\jdk-17.0.10')/bin"
    touch "$(unix_path 'C:\Program Files\Java\jdk-17.0.10')/bin/javaw.exe"
}

# The example of "Runtimes on the machine but not offered", for the 64-bit build in a 64-bit
# prefix (its own view the 64-bit one): a 64-bit Java 8 registered twice in the 64-bit view
# (and once more in the 32-bit view, with the same home), a 32-bit Java 8 in the 32-bit view,
# a 64-bit Java 11 under JavaSoft\JRE, a 32-bit JDK 17 under two names and a 32-bit JDK 21
# whose files were removed.
seed_not_offered_machine() {
    seed_quillfern
    local java8='C:\Program Files\Java\jre1.8.0_401'
    local java8_32='C:\Program Files (x86)\Java\jre1.8.0_401'
    registered_runtime 1.8 "$java8" javaw.exe /reg:64
    registered_runtime 1.8.0_401 "$java8" javaw.exe /reg:64
    registered_runtime 1.8.0_401 "$java8" javaw.exe /reg:32
    registered_runtime 1.8 "$java8_32" - /reg:32
    java_home "$java8_32" 1.8.0_401 x86
    wine reg add 'HKLM\SOFTWARE\JavaSoft\JRE\11' /v JavaHome \
        /d 'C:\Program Files\Java\jre-11' /f /reg:64 >/dev/null
    java_home 'C:\Program Files\Java\jre-11' 11.0.22
    local name
    for name in 17 17.0.10; do
        wine reg add "HKLM\\SOFTWARE\\JavaSoft\\JDK\\$name" /v JavaHome \
            /d 'C:\Program Files (x86)\Java\jdk-17.0.10' /f /reg:32 >/dev/null
    done
    java_home 'C:\Program Files (x86)\Java\jdk-17.0.10' 17.0.10 x86
    wine reg add 'HKLM\SOFTWARE\JavaSoft\JDK\21' /v JavaHome \
        /d 'C:\Program Files (x86)\Java\jdk-21' /f /reg:32 >/dev/null
}

# java_home WINDOWS-PATH [JAVA_VERSION] [MACHINE]: bin\javaw.exe and bin\java.exe (the
# launcher fixture of MACHINE, x64 or x86; x64 by default), and a release file when a
# version is given.
java_home() {
    local dir fixture=$tree/bin/fixtures/launcher_${3:-x64}.exe
    dir=$(unix_path "$1")
    mkdir -p "$dir/bin"
    cp "$fixture" "$dir/bin/javaw.exe"
    cp "$fixture" "$dir/bin/java.exe"
    if [ -n "${2:-}" ]; then
        printf 'IMPLEMENTOR="Example"\nJAVA_VERSION="%s"\nOS_NAME="Windows"\n' "$2" \
            >"$dir/release"
    fi
}

# The example of "Every other Java home": an Eclipse Temurin 17 (machine-wide MSI, its bin
# first on PATH), an Azul Zulu 21, a Temurin 21 installed for the current user only, a JDK
# 22 only on PATH, a JDK 11 named by JAVA_HOME, Oracle's javapath folder following an Oracle
# JDK 21 under JavaSoft\JDK, a JDK 17 unzipped in Program Files\Java, and two PATH entries
# that are not looked at (an unexpanded reference, a share). Exports JAVA_HOME
# and WINEPATH (whose entries Wine puts first on PATH) for the programs run after it.
seed_inventory_machine() {
    seed_quillfern
    local temurin='C:\Program Files\Eclipse Adoptium\jdk-17.0.10.7-hotspot'
    java_home "$temurin" 17.0.10
    local key='HKLM\SOFTWARE\Eclipse Adoptium\JDK\17.0.10.7\hotspot\MSI'
    reg_add "$key" Path "$temurin"'\'
    reg_add "$key" JavaHome 1 REG_DWORD

    local zulu='C:\Program Files\Zulu\zulu-21'
    java_home "$zulu"
    reg_add 'HKLM\SOFTWARE\Azul Systems\Zulu\zulu-21' InstallationPath "$zulu"

    local local_app_data user_temurin
    local_app_data=$(wine cmd /c echo %LOCALAPPDATA% | tr -d '\r')
    user_temurin="$local_app_data"'\Programs\Eclipse Adoptium\jdk-21.0.2.13-hotspot'
    java_home "$user_temurin" 21.0.2
    reg_add 'HKCU\SOFTWARE\Eclipse Adoptium\JDK\21.0.2.13\hotspot\MSI' Path "$user_temurin"

    java_home 'C:\tools\jdk-22' 22
    java_home 'C:\java\jdk-11.0.22' 11.0.22

    local oracle='C:\Program Files\Java\jdk-21'
    java_home "$oracle" 21.0.2
    reg_add 'HKLM\SOFTWARE\JavaSoft\JDK' CurrentVersion 21
    reg_add 'HKLM\SOFTWARE\JavaSoft\JDK\21' JavaHome "$oracle"
    local javapath='C:\Program Files\Common Files\Oracle\Java\javapath'
    mkdir -p "$(unix_path "$javapath")"
    cp "$tree/bin/fixtures/launcher_x64.exe" "$(unix_path "$javapath")/java.exe"
    cp "$tree/bin/fixtures/launcher_x64.exe" "$(unix_path "$javapath")/javaw.exe"

    java_home 'C:\Program Files\Java\jdk-17.0.2' 17.0.2

    export JAVA_HOME='C:\java\jdk-11.0.22'
    export WINEPATH="$temurin\\bin;$javapath;C:\\tools\\jdk-22\\bin;%JDK_ROOT%\\bin;\\\\build\\tools"
}

# run_cli ARGUMENTS...: the command as the docs show it, what a console shows of it without
# carriage returns (stdout and stderr; with --json, stdout alone, a document for a script),
# and "(exit code N)". An argument holding a space is shown in double quotes.
run_cli() {
    local shown="C:\\>JreSelectCli" argument json= status=0 output
    for argument in "$@"; do
        case "$argument" in *' '*) shown+=" \"$argument\"" ;; *) shown+=" $argument" ;; esac
        [ "$argument" = --json ] && json=yes
    done
    echo "$shown"
    output=$(mktemp)
    if [ -n "$json" ]; then
        wine "$tree/bin/JreSelectCli.exe" "$@" </dev/null >"$output" 2>/dev/null || status=$?
    else
        wine "$tree/bin/JreSelectCli.exe" "$@" </dev/null >"$output" 2>&1 || status=$?
    fi
    tr -d '\r' <"$output"
    rm -f "$output"
    echo "(exit code $status)"
}
