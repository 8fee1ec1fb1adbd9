#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test under Wine on a virtual display.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh
. scripts/xvfb.sh

cleanup() {
    stop_wineservers build/wine
    stop_xvfb
}
trap cleanup EXIT
start_xvfb
# The template prefix is made before ctest, so that Wine's first-run messages never mix
# with the output of test discovery.
bash tests/wine-run.sh build/wine/warmup --prepare
cd build
ctest --output-on-failure -j"$(nproc)" "$@"
