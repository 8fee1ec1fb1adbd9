#!/usr/bin/env bash
# Builds JreSelect and runs it under Wine in a demo installation of its own: Quillfern with
# its bundled runtime, two registered runtimes and the Microsoft VM 5.0.0.381.
# On a display ($DISPLAY) you operate the dialog yourself; without one it runs on a virtual
# display, saves a screenshot, picks the second runtime and presses OK for you.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh
. scripts/xvfb.sh

demo=$PWD/build/wine/demo
interactive=${DISPLAY:+yes}
cleanup() {
    WINEPREFIX=$demo wineserver -k 2>/dev/null || true
    stop_xvfb
}
trap cleanup EXIT
[ -n "$interactive" ] || start_xvfb

# Wine starts its desktop with the display it is given first: the prefix is made after it.
[ -d "$demo" ] && WINEPREFIX=$demo wineserver -k 2>/dev/null || true
rm -rf "$demo"
bash tests/wine-run.sh "$demo" --prepare
export WINEPREFIX=$demo WINEDEBUG=-all

# The installation: files on drive C: and the keys that an installer would have written.
c=$demo/drive_c
product='C:\Program Files\Quillfern'
mkdir -p "$c/Program Files/Quillfern/jre/bin" "$c/Program Files/Java/j2re1.4.2_19/bin" \
         "$c/Program Files/Java/jre1.6.0_45/bin"
touch "$c/Program Files/Quillfern/jre/bin/javaw.exe" "$c/Program Files/Quillfern/start.jar" \
      "$c/Program Files/Java/j2re1.4.2_19/bin/javaw.exe" \
      "$c/Program Files/Java/jre1.6.0_45/bin/javaw.exe"
cp build/bin/fixtures/wjview_5_0_0_381.exe "$c/windows/wjview.exe"

reg_add() { wine reg add "$1" /v "$2" /d "$3" /f >/dev/null; }
reg_add 'HKLM\SOFTWARE\Velmor\Quillfern' home "$product"
reg_add 'HKLM\SOFTWARE\Velmor\Quillfern' starter "$product"'\jre\bin\javaw.exe'
reg_add 'HKLM\SOFTWARE\JavaSoft\Java Runtime Environment\1.4.2_19' JavaHome 'C:\Program Files\Java\j2re1.4.2_19'
reg_add 'HKLM\SOFTWARE\JavaSoft\Java Runtime Environment\1.6.0_45' JavaHome 'C:\Program Files\Java\jre1.6.0_45'
wine reg add 'HKLM\SOFTWARE\Microsoft\Java VM' /f >/dev/null

show_key() {
    echo "HKEY_LOCAL_MACHINE\\SOFTWARE\\Velmor\\Quillfern $1:"
    wine reg query 'HKLM\SOFTWARE\Velmor\Quillfern' | tr -d '\r' | sed -n 's/^ \{4\}/    /p'
}

show_key "before"
if [ -n "$interactive" ]; then
    echo "JreSelect is open on $DISPLAY: choose a runtime and press OK."
    wine build/bin/JreSelect.exe
else
    wine build/bin/JreSelect.exe &
    program=$!
    driver=build/bin/jsdriver.exe
    mkdir -p build/artifacts
    wine "$driver" wait 20000
    wine "$driver" list
    wine "$driver" screenshot 'Z:'"$(echo "$PWD/build/artifacts/demo.bmp" | tr / '\\')" >/dev/null
    convert build/artifacts/demo.bmp build/artifacts/demo.png
    echo "Screenshot of the dialog: $PWD/build/artifacts/demo.png"
    echo "No display: choosing entry 1 and pressing OK."
    wine "$driver" select 1 >/dev/null
    wine "$driver" press ok >/dev/null
    wait "$program"
fi
show_key "after"
