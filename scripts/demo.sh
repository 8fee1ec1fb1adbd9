#!/usr/bin/env bash
# Builds what the demo runs (the two programs, the window driver and three fixtures; no
# tests) and runs JreSelect under Wine in a demo installation of its own: Quillfern with its
# bundled runtime, two registered runtimes and the Microsoft VM 5.0.0.381, and two Java homes
# that the list does not offer (a JDK 17 under JavaSoft\JDK and an Eclipse Temurin 21 under
# its own key). On a display ($DISPLAY) you operate the dialog yourself; without one it runs
# on a virtual display, saves a screenshot, picks the second runtime and presses OK for you.
# Then JreSelectCli list, explain and list --all --json show the same installation.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
. scripts/wine-env.sh
. scripts/xvfb.sh

started=$SECONDS
choose_program_tree "the demo runs"
tree=$program_tree config=$program_config
# Only the demo's own targets: a tree that is already built is reused as it is.
bash scripts/build.sh $program_arch --target demo

demo=$PWD/$tree/wine/demo
interactive=${DISPLAY:+yes}
cleanup() {
    stop_wineservers "$tree/wine"
    stop_xvfb
}
trap cleanup EXIT
[ -n "$interactive" ] || start_xvfb

# Wine starts its desktop with the display it is given first: the prefix is made after it.
stop_wineservers "$tree/wine"
rm -rf "$(wine_prefix_path "$demo" $config)"
export JRESELECT_WINE_CONFIG=$config
use_wine_prefix "$demo"
demo=$WINEPREFIX

# The installation: files on drive C: and the keys that an installer would have written.
c=$demo/drive_c
# A Java home of the kind today's installers make: bin\javaw.exe and bin\java.exe (a
# launcher fixture of this tree's machine, file version 17.0.10.7) and a release file.
launcher=$tree/bin/fixtures/launcher_x64.exe
[ $program_arch = i686 ] && launcher=$tree/bin/fixtures/launcher_x86.exe
java_home() {
    local dir=$c/$(echo "${1#C:\\}" | tr '\\' /)
    mkdir -p "$dir/bin"
    cp "$launcher" "$dir/bin/javaw.exe"
    cp "$launcher" "$dir/bin/java.exe"
    printf 'IMPLEMENTOR="Example"\nJAVA_VERSION="%s"\n' "$2" >"$dir/release"
}
product='C:\Program Files\Quillfern'
mkdir -p "$c/Program Files/Quillfern/jre/bin" "$c/Program Files/Java/j2re1.4.2_19/bin" \
         "$c/Program Files/Java/jre1.6.0_45/bin"
touch "$c/Program Files/Quillfern/jre/bin/javaw.exe" "$c/Program Files/Quillfern/start.jar" \
      "$c/Program Files/Java/j2re1.4.2_19/bin/javaw.exe" \
      "$c/Program Files/Java/jre1.6.0_45/bin/javaw.exe"
cp $tree/bin/fixtures/wjview_5_0_0_381.exe "$c/windows/wjview.exe"
jdk17='C:\Program Files\Java\jdk-17.0.10'
java_home "$jdk17" 17.0.10
temurin='C:\Program Files\Eclipse Adoptium\jdk-21.0.2.13-hotspot'
java_home "$temurin" 21.0.2

reg_add() { wine reg add "$1" /v "$2" /d "$3" /f >/dev/null; }
reg_add 'HKLM\SOFTWARE\Velmor\Quillfern' home "$product"
reg_add 'HKLM\SOFTWARE\Velmor\Quillfern' starter "$product"'\jre\bin\javaw.exe'
reg_add 'HKLM\SOFTWARE\JavaSoft\Java Runtime Environment\1.4.2_19' JavaHome 'C:\Program Files\Java\j2re1.4.2_19'
reg_add 'HKLM\SOFTWARE\JavaSoft\Java Runtime Environment\1.6.0_45' JavaHome 'C:\Program Files\Java\jre1.6.0_45'
wine reg add 'HKLM\SOFTWARE\Microsoft\Java VM' /f >/dev/null
reg_add 'HKLM\SOFTWARE\JavaSoft\JDK\17.0.10' JavaHome "$jdk17"
reg_add 'HKLM\SOFTWARE\Eclipse Adoptium\JDK\21.0.2.13\hotspot\MSI' Path "$temurin"'\'

show_key() {
    echo "HKEY_LOCAL_MACHINE\\SOFTWARE\\Velmor\\Quillfern $1:"
    wine reg query 'HKLM\SOFTWARE\Velmor\Quillfern' | tr -d '\r' | sed -n 's/^ \{4\}/    /p'
}

show_key "before"
if [ -n "$interactive" ]; then
    echo "JreSelect is open on $DISPLAY ($((SECONDS - started)) s after the start): choose a" \
        "runtime and press OK."
    wine $tree/bin/JreSelect.exe
else
    wine $tree/bin/JreSelect.exe &
    program=$!
    driver=$tree/bin/jsdriver.exe
    mkdir -p $tree/artifacts
    wine "$driver" wait 20000 >/dev/null
    # jsdriver list: the item count, the selected index, then the items' texts.
    wine "$driver" list | tr -d '\r' | {
        read -r count; read -r selected
        echo "The dialog is open ($((SECONDS - started)) s after the start): $count runtimes," \
            "entry $selected preselected:"
        sed 's/^/    /'
    }
    wine "$driver" screenshot 'Z:'"$(echo "$PWD/$tree/artifacts/demo.bmp" | tr / '\\')" >/dev/null
    convert $tree/artifacts/demo.bmp $tree/artifacts/demo.png
    echo "Screenshot of the dialog: $PWD/$tree/artifacts/demo.png"
    echo "No display: choosing entry 1 and pressing OK."
    wine "$driver" select 1 >/dev/null
    wine "$driver" press ok >/dev/null
    wait "$program"
fi
show_key "after"

# The console program on the same installation: what an administrator scripts.
for command in list explain "list --all --json"; do
    echo
    echo "C:\\>JreSelectCli $command"
    status=0
    wine "$tree/bin/JreSelectCli.exe" $command | tr -d '\r' || status=$?
    echo "(exit code $status)"
done
