#!/usr/bin/env bash
# Builds and runs the two benchmarks under Wine on a virtual display, the whole Wine session
# pinned to CPU 0: discovery (FillRuntimeList against the registry and file probes it
# needs), then start-up (JreSelect.exe until its dialog is shown filled, against an empty
# dialog). Prints their tables. JRESELECT_BUILD_DIR picks the build tree (default build).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${JRESELECT_BUILD_DIR:-build}
bash scripts/setup.sh
# Only what the benchmarks run: JreSelect.exe, the benchmark programs and the fixture.
targets=(--target discovery_bench startup_bench empty_dialog jreselect_programs)
if [ "$build" = build ]; then
    bash scripts/build.sh "${targets[@]}"
else
    cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
    cmake --build "$build" -j"$(nproc)" "${targets[@]}"
fi
. scripts/xvfb.sh

prefix=$PWD/$build/wine/bench
export WINEPREFIX=$prefix WINEARCH=win32 WINEDLLOVERRIDES="mscoree,mshtml=" WINEDEBUG=-all
cleanup() {
    wineserver -k 2>/dev/null || true
    stop_xvfb
}
trap cleanup EXIT
start_xvfb

# The prefix is made (or reused) by wine-run.sh; its wineserver is then restarted on CPU 0
# before any program, so that every Wine process of the session runs there.
bash tests/wine-run.sh "$prefix" --prepare
wineserver -k 2>/dev/null || true
wineserver -w
taskset -c 0 wineserver -p
taskset -c 0 wine cmd /c exit </dev/null >/dev/null 2>&1

run() { taskset -c 0 bash tests/wine-run.sh "$prefix" "$build/bin/$1" "${@:2}"; }

started=$SECONDS
run discovery_bench.exe | tr -d '\r' | tee "$build/discovery_bench.txt"
discovery1000=$(sed -n 's/^discovery of 1000 runtimes = \([0-9.]*\) ms$/\1/p' "$build/discovery_bench.txt")
middle=$SECONDS
echo
run startup_bench.exe ${discovery1000:+"$discovery1000"} | tr -d '\r'
echo
echo "discovery benchmark $((middle - started)) s, start-up benchmark $((SECONDS - middle)) s"
