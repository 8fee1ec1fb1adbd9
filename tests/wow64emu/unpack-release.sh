#!/usr/bin/env bash
# unpack-release.sh SOURCE WORK SHIPPED_BIN: builds the release zip from SOURCE in WORK,
# unpacks it into WORK/unpacked, and checks that its programs are the shipped build's bytes.
set -euo pipefail
source=$1 work=$2 shipped=$3
rm -rf "$work/unpacked"
mkdir -p "$work"
JRESELECT_RELEASE_BUILD=$work/build JRESELECT_DIST=$work/dist bash "$source/scripts/release.sh" |
    sed -n 's/^release: /built: /p'
unzip -q -o "$work"/dist/*.zip -d "$work/unpacked"
for program in JreSelect.exe JreSelectCli.exe; do
    cmp "$work/unpacked/$program" "$shipped/$program" ||
        { echo "the zip's $program is not the shipped build's" >&2; exit 1; }
done
ls "$work/unpacked"
