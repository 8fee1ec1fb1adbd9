#!/usr/bin/env bash
# JreSelectCli.exe with no X display: DISPLAY unset for the whole Wine session of a prefix of
# its own, so no program of it can reach an X server. list, explain and set still work.
# Usage: cli_without_display.sh WINE_RUN ROOT/NAME JRESELECTCLI_EXE
set -euo pipefail
wine_run=$1 prefix=$(realpath -m "$2") cli=$3

unset DISPLAY
. "$(dirname "$0")/../../scripts/wine-env.sh"
# A wineserver of this prefix left from an earlier run goes first, with whatever it started.
stop_wineservers "$(wine_prefix_path "$prefix" "${JRESELECT_WINE_CONFIG:?}")"
use_wine_prefix "$prefix"
failures=0

# expect NAME WANTED_STATUS WANTED_OUTPUT ARGS...
expect() {
    local name=$1 wanted_status=$2 wanted=$3; shift 3
    local output status=0
    output=$(wine "$cli" "$@" </dev/null 2>&1 | tr -d '\r'; exit "${PIPESTATUS[0]}") || status=$?
    if [ "$output" != "$wanted" ] || [ "$status" -ne "$wanted_status" ]; then
        echo "FAIL $name: got status $status and:"$'\n'"$output"$'\n'"wanted status $wanted_status and:"$'\n'"$wanted" >&2
        failures=$((failures + 1))
    fi
}

drive_c=$WINEPREFIX/drive_c
rm -rf "$drive_c/jt"
mkdir -p "$drive_c/jt/q/jre/bin"
touch "$drive_c/jt/q/jre/bin/javaw.exe"
wine reg delete 'HKLM\SOFTWARE\Velmor' /f >/dev/null 2>&1 || true
wine reg add 'HKLM\SOFTWARE\Velmor\Quillfern' /v home /d 'C:\jt\q' /f >/dev/null
wine reg add 'HKLM\SOFTWARE\Velmor\Quillfern' /v starter /d 'C:\jt\none\javaw.exe' /f >/dev/null

tab=$'\t'
expect "list" 0 "  0${tab}Bundled Java Runtime Environment${tab}C:\\jt\\q\\jre\\bin\\javaw.exe" list
expect "set 0" 0 'Set 0: Bundled Java Runtime Environment
  starter C:\jt\q\jre\bin\javaw.exe
  classes start.jar' set 0
expect "list after set" 0 "* 0${tab}Bundled Java Runtime Environment${tab}C:\\jt\\q\\jre\\bin\\javaw.exe" list
output=$(wine "$cli" explain </dev/null 2>&1 | tr -d '\r')
case "$output" in
    *'  listed as 0: Bundled Java Runtime Environment'*'1 runtime listed. Current: 0,'*) ;;
    *) echo "FAIL explain:"$'\n'"$output" >&2; failures=$((failures + 1)) ;;
esac

/usr/bin/wineserver -k 2>/dev/null || true
rm -rf "$drive_c/jt"
[ $failures -eq 0 ] || exit 1
echo "ok: list, explain and set without a display"
