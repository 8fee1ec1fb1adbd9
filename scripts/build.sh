#!/usr/bin/env bash
# Configures and builds everything into build/ with the mingw-w64 i686 toolchain.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j"$(nproc)" "$@"
