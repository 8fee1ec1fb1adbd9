#!/usr/bin/env bash
# Installs what is missing, builds both trees, and runs every test configuration that this
# host can run under Wine on a virtual display (scripts/wine-env.sh describes them):
#   build/    the shipped 32-bit programs: static checks always; win32 and wow64 when the
#             host executes i386 code natively
#   build64/  the 64-bit build of the same sources: win64, on every host; and wow64emu, a few
#             cases of the shipped programs under WOW64, where i386 code runs only emulated
# Arguments go to both ctest runs, e.g. `scripts/test.sh -L wow64` or `-R Cli`.
# Ends with one line that says which configurations ran and which could not, and why.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
. scripts/wine-env.sh
. scripts/xvfb.sh

configs32="win32;wow64"
configs64="win64"
skipped=""
case "$(host_i386_mode)" in
    yes) ;;
    emulated)
        # Every 32-bit process costs about a minute: the shipped programs run in a few cases
        # of their own (wow64emu), the rest of the suite in the 64-bit build.
        configs32=""
        configs64="win64;wow64emu"
        skipped="win32 and wow64 in full (this host runs i386 code only emulated)"
        ;;
    *)
        configs32=""
        why=$("$JRESELECT_WINE32_LOADER" --version 2>&1 | tail -1 || true)
        skipped="win32 and wow64 (this host executes no i386 code; Wine's 32-bit loader says: ${why##*: })"
        ;;
esac
bash scripts/build.sh i686 "-DJRESELECT_WINE_CONFIGS=$configs32"
bash scripts/build.sh x86_64 "-DJRESELECT_SHIPPED_BIN_DIR=$PWD/build/bin" \
    "-DJRESELECT_WINE_CONFIGS=$configs64"

cleanup() {
    stop_wineservers build/wine
    stop_wineservers build64/wine
    stop_xvfb
}
trap cleanup EXIT
start_xvfb

# Each configuration's template prefix is made before ctest, so that Wine's first-run
# messages never mix with the output of test discovery.
for config in ${configs32//;/ } ${configs64//;/ }; do
    tree=build; case $config in win64|wow64emu) tree=build64 ;; esac
    JRESELECT_WINE_CONFIG=$config bash tests/wine-run.sh $tree/wine/warmup --prepare
done

# run_ctest TREE: runs its tests and adds their counts to the totals.
total=0 failed=0 status=0
run_ctest() {
    local log rc=0 counts
    log=$(mktemp)
    (cd "$1" && ctest --output-on-failure -j"$(nproc)" "${@:2}") 2>&1 | tee "$log" || rc=$?
    counts=$(sed -n 's/.* tests passed, \([0-9]*\) tests failed out of \([0-9]*\)$/\1 \2/p' "$log" | tail -1)
    rm -f "$log"
    [ $rc = 0 ] || status=$rc
    [ -n "$counts" ] || return 0
    failed=$((failed + ${counts% *})) total=$((total + ${counts#* }))
}
run_ctest build "$@"
run_ctest build64 "$@"

ran="static checks of the shipped 32-bit executables, "
[ -n "$configs32" ] && ran+="win32, wow64, "
ran+="win64"
if [ $total = 0 ]; then
    echo "test.sh: no test ran (configurations: $ran)" >&2
    exit 1
fi
line="test.sh: ran $ran: $total tests, $failed failed."
if [ "$configs64" != win64 ]; then
    emulated=$(cd build64 && ctest -N -L wow64emu "$@" 2>/dev/null | sed -n 's/^Total Tests: //p')
    line+=" wow64 ran emulated: ${emulated:-0} cases of the shipped programs (wow64emu)."
fi
if [ "$(host_i386_mode)" = emulated ]; then
    line+=" Could not run $skipped."
elif [ -n "$skipped" ]; then
    line+=" Could not run $skipped. This run proves the sources in the 64-bit build and the"
    line+=" shipped 32-bit files statically, not the shipped program running: that needs a"
    line+=" host that executes i386 code."
else
    line+=" Every configuration ran."
fi
echo "$line"
[ $failed = 0 ] && [ $status = 0 ]
