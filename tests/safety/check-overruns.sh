#!/usr/bin/env bash
# An overrun of a fixed buffer stops the program: the checked copies and the stack guard
# are in force, and the guard is random, not a constant. Usage: check-overruns.sh WINE_RUN
# PREFIX PROBE.exe
set -u
run=("$@")
fail=0
g1=$("${run[@]}" guard 2>/dev/null | tr -d '\r')
g2=$("${run[@]}" guard 2>/dev/null | tr -d '\r')
echo "guard: $g1, then $g2"
if [ -z "$g1" ] || [ "$g1" = "$g2" ] || [[ $g1 =~ ^0+$ ]]; then
    echo "the stack guard is not random"; fail=1
fi
out=$("${run[@]}" none 2>/dev/null | tr -d '\r')
[ "$out" = survived ] || { echo "the probe does not run: $out"; fail=1; }
for mode in copy smash; do
    out=$("${run[@]}" $mode 2>/dev/null); rc=$?
    if [ $rc = 0 ] || echo "$out" | grep -q survived; then
        echo "$mode: the overrun was not stopped (exit $rc)"; fail=1
    else
        echo "$mode: stopped (exit $rc)"
    fi
done
exit $fail
