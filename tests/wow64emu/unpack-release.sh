#!/usr/bin/env bash
# unpack-release.sh SOURCE WORK: builds the release zip from SOURCE in WORK and unpacks it
# into WORK/unpacked.
set -euo pipefail
source=$1 work=$2
rm -rf "$work/unpacked"
mkdir -p "$work"
JRESELECT_RELEASE_BUILD=$work/build JRESELECT_DIST=$work/dist bash "$source/scripts/release.sh" |
    sed -n 's/^release: /built: /p'
unzip -q -o "$work"/dist/*.zip -d "$work/unpacked"
ls "$work/unpacked"
