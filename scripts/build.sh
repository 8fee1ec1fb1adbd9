#!/usr/bin/env bash
# Configures and builds one tree with the mingw-w64 cross compilers.
# Usage: build.sh [i686|x86_64] [-DNAME=VALUE...] [cmake --build options...]
#   i686    the shipped 32-bit programs, with their tests, into build/ (the default)
#   x86_64  the 64-bit test and development build of the same sources, into build64/
# JRESELECT_BUILD_DIR names another folder. -D options go to the configure step.
set -euo pipefail
cd "$(dirname "$0")/.."
arch=i686
case "${1:-}" in i686|x86_64) arch=$1; shift ;; esac
if [ $arch = i686 ]; then default_dir=build; else default_dir=build64; fi
dir=${JRESELECT_BUILD_DIR:-$default_dir}
defines=()
while [ $# -gt 0 ] && [[ $1 == -D* ]]; do defines+=("$1"); shift; done
cmake -S . -B "$dir" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-$arch.cmake -DCMAKE_BUILD_TYPE=Release \
    "${defines[@]}" >/dev/null
cmake --build "$dir" -j"$(nproc)" "$@"
