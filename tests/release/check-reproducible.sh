#!/usr/bin/env bash
# The release is reproducible: scripts/release.sh run twice on the same sources, copied to
# two folders of different names, each built in a build tree of its own, one after the
# other, in different time zones and with different umasks, gives byte-identical programs,
# debug files and zip. The programs that the other tests run (this build's) are those bytes
# too, so the tests exercise what ships.
# Usage: check-reproducible.sh SOURCE WORKDIR TESTED_EXE...
set -euo pipefail
source_dir=$1
work=$2
shift 2
tested=("$@")

rm -rf "$work"
mkdir -p "$work"
# The sources as they are now, committed or not, without build trees.
copy_sources() {  # DESTINATION
    mkdir -p "$1"
    if git -C "$source_dir" rev-parse --show-toplevel >/dev/null 2>&1; then
        (cd "$source_dir" && git ls-files -z -co --exclude-standard |
            while IFS= read -r -d '' f; do [ -e "$f" ] && printf '%s\0' "$f"; done |
            tar -cf - --null -T -) | tar -xf - -C "$1"
    else
        (cd "$source_dir" && tar -cf - --exclude='./build*' --exclude=./dist .) | tar -xf - -C "$1"
    fi
}
if ! SOURCE_DATE_EPOCH=$(git -C "$source_dir" log -1 --format=%ct 2>/dev/null); then
    SOURCE_DATE_EPOCH=1700000000
fi
export SOURCE_DATE_EPOCH

release() {  # TREE TZ UMASK
    local tree=$work/$1
    copy_sources "$tree/src"
    echo "== release in $tree (TZ=$2, umask $3)"
    (umask "$3" && cd "$tree/src" &&
        TZ=$2 JRESELECT_RELEASE_BUILD=$tree/build JRESELECT_DIST=$tree/dist \
        bash scripts/release.sh)
}
release a UTC 022
release second-release-tree Pacific/Chatham 077

one=$work/a
two=$work/second-release-tree
failures=0
same() {  # WHAT FILE1 FILE2
    if cmp -s "$2" "$3"; then
        echo "same: $1"
    else
        echo "DIFFERENT: $1: $2 and $3 ($(cmp "$2" "$3" 2>&1 | head -n1))"
        failures=$((failures + 1))
    fi
}
zip_name=$(cd "$one/dist" && ls JreSelect-*-win32.zip)
same "$zip_name" "$one/dist/$zip_name" "$two/dist/$zip_name"
same SHA256SUMS "$one/dist/SHA256SUMS" "$two/dist/SHA256SUMS"
for f in JreSelect.exe JreSelectCli.exe JreSelect.exe.debug JreSelectCli.exe.debug; do
    same "$f" "$one/build/bin/$f" "$two/build/bin/$f"
done
for exe in "${tested[@]}"; do
    same "$(basename "$exe") that the tests run" "$exe" "$one/build/bin/$(basename "$exe")"
done

# Neither build's folders are named in what ships or in the debug files.
for f in "$one"/build/bin/*.exe "$one"/build/bin/*.debug "$one/dist/$zip_name"; do
    if grep -qaF -e "$work" -e "$source_dir" "$f"; then
        echo "PATH IN: $(basename "$f") names a build folder"
        failures=$((failures + 1))
    fi
done
[ $failures = 0 ] && echo "ok: two builds, the same bytes"
[ $failures = 0 ]
