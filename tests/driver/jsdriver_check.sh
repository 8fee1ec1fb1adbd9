#!/usr/bin/env bash
# jsdriver.exe's commands against the real JreSelect.exe, as the demo and benchmark
# scripts use them: every command, its output and its exit code.
# Usage: jsdriver_check.sh WINE_RUN ROOT/NAME JRESELECT_EXE JSDRIVER_EXE
set -euo pipefail
wine_run=$1 prefix=$(realpath -m "$2") program=$3 driver=$4

. "$(dirname "$0")/../../scripts/wine-env.sh"
use_wine_prefix "$prefix"
drive_c=$WINEPREFIX/drive_c
failures=0

jsdriver() { wine "$driver" "$@"; }

# expect NAME WANTED_OUTPUT WANTED_STATUS COMMAND...
expect() {
    local name=$1 wanted=$2 wanted_status=$3; shift 3
    local output status=0
    output=$(jsdriver "$@") || status=$?
    if [ "$output" != "$wanted" ] || [ "$status" -ne "$wanted_status" ]; then
        echo "FAIL $name: got status $status and:"$'\n'"$output"$'\n'"wanted status $wanted_status and:"$'\n'"$wanted" >&2
        failures=$((failures + 1))
    fi
}

start() {
    wine "$program" &
    program_pid=$!
}

finish() {
    local status=0
    wait $program_pid || status=$?
    [ $status -eq 0 ] || { echo "FAIL $1: JreSelect.exe exit code $status" >&2; failures=$((failures + 1)); }
}

rm -rf "$drive_c/jt"
mkdir -p "$drive_c/jt/Q/jre/bin" "$drive_c/jt/j142/bin"
touch "$drive_c/jt/Q/jre/bin/javaw.exe" "$drive_c/jt/j142/bin/javaw.exe"
wine reg delete 'HKLM\SOFTWARE\Velmor' /f >/dev/null 2>&1 || true
wine reg delete 'HKLM\SOFTWARE\JavaSoft' /f >/dev/null 2>&1 || true

expect usage "" 2 frobnicate
expect help-exit "$(jsdriver --help)" 0 -h
expect nothing-shown timeout 1 wait 200
expect gone-when-nothing-shown gone 0 gone 200

# Without the product key: the message box, answered.
start
expect wait-message "message Cannot locate Quillfern software!" 0 wait
expect dismiss "Cannot locate Quillfern software!" 0 dismiss
expect gone-after-dismiss gone 0 gone
finish no-key

wine reg add 'HKLM\SOFTWARE\Velmor\Quillfern' /v home /d 'C:\jt\Q' /f >/dev/null
wine reg add 'HKLM\SOFTWARE\Velmor\Quillfern' /v starter /d 'C:\jt\Q\jre\bin\javaw.exe' /f >/dev/null
wine reg add 'HKLM\SOFTWARE\JavaSoft\Java Runtime Environment\1.4.2' /v JavaHome /d 'C:\jt\j142' /f >/dev/null

# The dialog: list, select, screenshot, OK.
start
expect wait-dialog dialog 0 wait
expect list "2
0
Bundled Java Runtime Environment
Sun Java Runtime Environment (1.4.2)" 0 list
expect select-out-of-range "" 1 select 2
expect select "" 0 select 1
expect list-after-select "2
1
Bundled Java Runtime Environment
Sun Java Runtime Environment (1.4.2)" 0 list
rm -f "$drive_c/jt/shot.bmp"
expect screenshot "" 0 screenshot 'C:\jt\shot.bmp'
[ "$(head -c 2 "$drive_c/jt/shot.bmp" 2>/dev/null)" = BM ] || { echo "FAIL screenshot: no BMP file" >&2; failures=$((failures + 1)); }
expect press-ok "" 0 press ok
expect gone-after-ok gone 0 gone
finish ok
wine reg query 'HKLM\SOFTWARE\Velmor\Quillfern' /v starter | grep -qF 'C:\jt\j142\bin\javaw.exe' ||
    { echo "FAIL ok: starter not written" >&2; failures=$((failures + 1)); }

# Each other way out.
for way in "press cancel" escape close; do
    start
    expect "wait ($way)" dialog 0 wait
    expect "$way" "" 0 $way
    expect "gone ($way)" gone 0 gone
    finish "$way"
done

# OK with nothing selected: the message, then the end.
wine reg add 'HKLM\SOFTWARE\Velmor\Quillfern' /v starter /d 'C:\elsewhere\javaw.exe' /f >/dev/null
start
expect list-no-selection "2
-1
Bundled Java Runtime Environment
Sun Java Runtime Environment (1.4.2)" 0 list
expect press-ok-unselected "" 0 press ok
expect wait-message-only "message Unable to apply changes!" 0 wait-message
expect dismiss-apply "Unable to apply changes!" 0 dismiss
expect gone-after-apply gone 0 gone
finish ok-unselected

rm -rf "$drive_c/jt"
[ $failures -eq 0 ] || { echo "$failures failures" >&2; exit 1; }
echo "all jsdriver commands behave"
