#!/usr/bin/env bash
# Builds and runs the four benchmarks under Wine on a virtual display, the whole Wine session
# pinned to CPU 0: discovery (FillRuntimeList against the registry and file probes it
# needs), the inventory of Java homes that explain and list --all make (TakeJavaInventory
# against its reads and probes), JreSelectCli explain per registration on crowded machines
# (against the same reads and probes), then start-up (JreSelect.exe until its dialog is shown
# filled, against an empty dialog). Prints their tables. JRESELECT_BUILD_DIR picks the build
# tree; JRESELECT_EXPLAIN_BENCH_LARGEST (100, 1000) stops the explain benchmark early.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
. scripts/wine-env.sh
. scripts/xvfb.sh

choose_program_tree "benchmarking"
arch=$program_arch build=${JRESELECT_BUILD_DIR:-$program_tree} config=$program_config
# Only what the benchmarks run: JreSelect.exe, the benchmark programs and the fixture.
JRESELECT_BUILD_DIR=$build bash scripts/build.sh $arch \
    --target discovery_bench inventory_bench explain_bench startup_bench empty_dialog \
    jreselect_programs

export JRESELECT_WINE_CONFIG=$config
cleanup() {
    stop_wineservers "$build/wine"
    stop_xvfb
}
trap cleanup EXIT
start_xvfb

# The prefix is made (or reused) by wine-run.sh; its wineserver is then restarted on CPU 0
# before any program, so that every Wine process of the session runs there.
use_wine_prefix "$PWD/$build/wine/bench"
/usr/bin/wineserver -k 2>/dev/null || true
/usr/bin/wineserver -w
taskset -c 0 /usr/bin/wineserver -p
taskset -c 0 setarch -R "$WINELOADER" cmd /c exit </dev/null >/dev/null 2>&1

run() { taskset -c 0 bash tests/wine-run.sh "$PWD/$build/wine/bench" "$build/bin/$1" "${@:2}"; }

started=$SECONDS
run discovery_bench.exe | tr -d '\r' | tee "$build/discovery_bench.txt"
discovery1000=$(sed -n 's/^discovery of 1000 runtimes = \([0-9.]*\) ms$/\1/p' "$build/discovery_bench.txt")
echo
run inventory_bench.exe | tr -d '\r' | tee "$build/inventory_bench.txt"
echo
run explain_bench.exe ${JRESELECT_EXPLAIN_BENCH_LARGEST:-} | tr -d '\r' | tee "$build/explain_bench.txt"
middle=$SECONDS
echo
run startup_bench.exe ${discovery1000:+"$discovery1000"} | tr -d '\r'
echo
echo "discovery and inventory benchmarks $((middle - started)) s, start-up benchmark $((SECONDS - middle)) s"
