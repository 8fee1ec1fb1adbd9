#!/usr/bin/env bash
# One whole session of JreSelect.exe under Wine's heap checking, driven by jsdriver.exe:
# a product with several runtimes of all three sources, one chosen, OK. It runs twice:
# with warn+heap (checked arguments: double frees, foreign pointers) and with +heap
# (every block's head and tail checked at every heap call, which catches a write past
# the end of a block). Fails on any heap error or warning, a crash, or a wrong result.
# Usage: heap_check.sh WINE_RUN PREFIX JRESELECT_EXE JSDRIVER_EXE WJVIEW_FIXTURE
set -euo pipefail
wine_run=$1 prefix=$(realpath -m "$2") program=$3 driver=$4 wjview=$5

. "$(dirname "$0")/../../scripts/wine-env.sh"
use_wine_prefix "$prefix"
log_dir=$WINEPREFIX.logs
drive_c=$WINEPREFIX/drive_c

jsdriver() { WINEDEBUG=-all wine "$driver" "$@"; }

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# The machine: product key, a bundled runtime, three registered ones, the Microsoft VM.
rm -rf "$drive_c/jt"
for d in Quillfern/jre jre131 jre142 jre150; do mkdir -p "$drive_c/jt/$d/bin"; done
touch "$drive_c/jt/Quillfern/jre/bin/javaw.exe" "$drive_c/jt/jre131/bin/jrew.exe" \
      "$drive_c/jt/jre142/bin/javaw.exe" "$drive_c/jt/jre150/bin/javaw.exe"
cp "$wjview" "$drive_c/windows/wjview.exe"
mkdir -p "$log_dir"
cat > "$log_dir/seed.reg" <<'REG'
REGEDIT4

[-HKEY_LOCAL_MACHINE\SOFTWARE\Velmor]
[-HKEY_LOCAL_MACHINE\SOFTWARE\JavaSoft]
[HKEY_LOCAL_MACHINE\SOFTWARE\Velmor\Quillfern]
"home"="C:\\jt\\Quillfern"
"starter"="C:\\jt\\jre131\\bin\\jrew.exe"
"classes"="old.jar"
[HKEY_LOCAL_MACHINE\SOFTWARE\JavaSoft\Java Runtime Environment\1.3.1_04]
"JavaHome"="C:\\jt\\jre131"
[HKEY_LOCAL_MACHINE\SOFTWARE\JavaSoft\Java Runtime Environment\1.4.2]
"JavaHome"="C:\\jt\\jre142"
[HKEY_LOCAL_MACHINE\SOFTWARE\JavaSoft\Java Runtime Environment\1.5.0]
"JavaHome"="C:\\jt\\jre150"
[HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Java VM]
REG

expected_list="5
1
Bundled Java Runtime Environment
Sun Java Runtime Environment (1.3.1_04)
Sun Java Runtime Environment (1.4.2)
Sun Java Runtime Environment (1.5.0)
Microsoft Java Runtime Environment (5.0.0.381)"

session() {
    local debug=$1 log=$log_dir/$2.log
    WINEDEBUG=-all wine regedit /s "$log_dir/seed.reg"
    WINEDEBUG=$debug timeout 60 setarch -R "$WINELOADER" "$program" 2>"$log" &
    local pid=$!
    [ "$(jsdriver wait 20000)" = dialog ] || fail "$debug: no dialog"
    [ "$(jsdriver list)" = "$expected_list" ] || fail "$debug: list differs: $(jsdriver list)"
    jsdriver select 3 >/dev/null || fail "$debug: select"
    jsdriver press ok >/dev/null || fail "$debug: press ok"
    local status=0
    wait $pid || status=$?
    [ $status -eq 0 ] || fail "$debug: exit code $status (124: killed on time-out)"
    local starter
    starter=$(WINEDEBUG=-all wine reg query 'HKLM\SOFTWARE\Velmor\Quillfern' /v starter)
    grep -qF 'C:\jt\jre150\bin\javaw.exe' <<<"$starter" || fail "$debug: starter not written: $starter"
    if grep -E ':(err|warn):heap|[Hh]eap corrupt|Assertion failed|Unhandled|page fault' "$log"; then
        fail "$debug: heap errors above (log: $log)"
    fi
    echo "$debug: clean session, $(grep -c . "$log" || true) lines of Wine output"
}

session warn+heap warn-heap
session +heap trace-heap
