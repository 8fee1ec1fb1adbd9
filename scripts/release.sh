#!/usr/bin/env bash
# Builds the release in a fresh build tree (build-release): JreSelect.exe and JreSelectCli.exe,
# 32-bit, stripped (their debug information stays there as *.exe.debug) and checked for
# Windows XP SP3; packs them with the user README into dist/JreSelect-VERSION-win32.zip and
# writes dist/SHA256SUMS. It only builds: nothing runs under Wine.
# The same commit gives the same bytes wherever and whenever it is built: the zip's times
# are SOURCE_DATE_EPOCH, by default the commit's time. JRESELECT_RELEASE_BUILD and
# JRESELECT_DIST choose other folders.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh --release
build=${JRESELECT_RELEASE_BUILD:-build-release}
dist=${JRESELECT_DIST:-dist}

if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
    if ! SOURCE_DATE_EPOCH=$(git log -1 --format=%ct 2>/dev/null); then
        echo "release: not a git checkout: set SOURCE_DATE_EPOCH" >&2
        exit 1
    fi
    git diff --quiet HEAD -- ||
        echo "release: uncommitted changes: this zip is not the one the commit gives" >&2
fi
export SOURCE_DATE_EPOCH

rm -rf "$build"
cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686-win32.cmake \
    -DCMAKE_BUILD_TYPE=Release -DJRESELECT_PROGRAMS_ONLY=ON -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build" -j2 >"$build/build.log" 2>&1 || { cat "$build/build.log"; exit 1; }
bash tests/release/check-shipped.sh "$build/bin/JreSelect.exe" "$build/bin/JreSelectCli.exe" |
    grep -E '^(ok|FAIL)'

# The zip: its files in a fixed order, with fixed times (DOS times are local: UTC) and
# modes, and no extra fields (-X: no owner, no Unix times). The README gets Windows' line
# ends, for Notepad.
version=$(cat "$build/version.txt")
zip_name=JreSelect-$version-win32.zip
stage=$build/zip
mkdir -p "$stage" "$dist"
cp "$build/bin/JreSelect.exe" "$build/bin/JreSelectCli.exe" "$stage/"
sed 's/$/\r/' docs/README-win32.txt > "$stage/README.txt"
chmod 0755 "$stage/JreSelect.exe" "$stage/JreSelectCli.exe"
chmod 0644 "$stage/README.txt"
touch -d "@$SOURCE_DATE_EPOCH" "$stage"/*
dist=$(cd "$dist" && pwd)
rm -f "$dist/$zip_name" "$dist/SHA256SUMS"
(cd "$stage" && TZ=UTC zip -X -q "$dist/$zip_name" JreSelect.exe JreSelectCli.exe README.txt)
(cd "$dist" && sha256sum "$zip_name" > SHA256SUMS)

echo "release: $dist/$zip_name"
echo "size: $(stat -c %s "$dist/$zip_name") bytes" \
     "(JreSelect.exe $(stat -c %s "$stage/JreSelect.exe"), JreSelectCli.exe $(stat -c %s "$stage/JreSelectCli.exe"))"
echo "sha256: $(cut -d' ' -f1 "$dist/SHA256SUMS")"
