#!/usr/bin/env bash
# A program as it ships runs on Windows XP SP3 and carries no debug information:
# - a PE32 i386 program whose header says Windows 5.1 (XP) as the oldest OS and subsystem
#   version, and no link time (time stamp 0);
# - no .debug_* sections, and a .gnu_debuglink naming a debug file beside it whose CRC
#   matches (a debugger finds the debug information there);
# - imports only from XP's kernel32, user32, gdi32, advapi32, version and msvcrt, by name,
#   and none of the functions that xp-sp3-missing.txt lists as absent from XP SP3.
# Usage: check-shipped.sh EXE...   Prints what it finds; exit code 1 on the first failure.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
missing_list=$here/xp-sp3-missing.txt
objdump=i686-w64-mingw32-objdump

fail() {
    echo "FAIL $name: $*"
    exit 1
}

# Unsigned little-endian number of SIZE bytes (2 or 4) at byte OFFSET of the file.
field() {  # FILE OFFSET SIZE
    od -An -tu"$3" -j"$2" -N"$3" "$1" | tr -d ' '
}

# CRC-32 of a file, as .gnu_debuglink keeps it: gzip ends its output with the same CRC.
crc_of_file() {
    gzip -c "$1" | tail -c8 | od -An -tx4 -N4 | tr -d ' '
}

check_header() {  # EXE
    [ "$(field "$1" 0 2)" = 23117 ] || fail "no MZ header"  # "MZ"
    local pe
    pe=$(field "$1" 60 4)
    [ "$(field "$1" "$pe" 4)" = 17744 ] || fail "no PE signature"  # "PE\0\0"
    [ "$(field "$1" $((pe + 4)) 2)" = 332 ] || fail "not an i386 program"  # 0x14c
    [ "$(field "$1" $((pe + 24)) 2)" = 267 ] || fail "not PE32"  # 0x10b
    local stamp os_major os_minor sub_major sub_minor
    stamp=$(field "$1" $((pe + 8)) 4)
    os_major=$(field "$1" $((pe + 24 + 40)) 2)
    os_minor=$(field "$1" $((pe + 24 + 42)) 2)
    sub_major=$(field "$1" $((pe + 24 + 48)) 2)
    sub_minor=$(field "$1" $((pe + 24 + 50)) 2)
    echo "header: time stamp $stamp, OS version $os_major.$os_minor," \
         "subsystem version $sub_major.$sub_minor"
    [ "$stamp" = 0 ] || fail "time stamp $stamp in the PE header: two builds differ"
    [ "$os_major.$os_minor" = 5.1 ] || fail "OS version $os_major.$os_minor, not 5.1 (XP)"
    [ "$sub_major.$sub_minor" = 5.1 ] ||
        fail "subsystem version $sub_major.$sub_minor, not 5.1 (XP)"
}

check_debug() {  # EXE
    local sections debug link_line
    sections=$($objdump -h "$1" | awk '$1 ~ /^[0-9]+$/ {print $2}')
    debug=$(echo "$sections" | grep -E '^\.(debug|zdebug|stab)' || true)
    [ -z "$debug" ] || fail "debug sections in the program:" $debug
    link_line=$($objdump -h "$1" | awk '$2 == ".gnu_debuglink" {print $3, $6}')
    [ -n "$link_line" ] || fail "no .gnu_debuglink section"
    local size offset debug_file want got
    read -r size offset <<< "$link_line"
    size=$((16#$size))
    offset=$((16#$offset))
    debug_file=$(dd if="$1" bs=1 skip="$offset" count="$size" 2>/dev/null | tr '\0' '\n' | head -n1)
    want=$(od -An -tx4 -j$((offset + size - 4)) -N4 "$1" | tr -d ' ')
    local path
    path=$(dirname "$1")/$debug_file
    [ -f "$path" ] || fail "debug file $debug_file not beside the program"
    got=$(crc_of_file "$path")
    [ "$got" = "$want" ] || fail "debug file $debug_file has CRC $got, the link says $want"
    $objdump -h "$path" | grep -q ' \.debug_info ' || fail "$debug_file has no .debug_info"
    echo "debug information: in $debug_file beside it (CRC $want), none in the program"
}

# "dll function" lines, the DLL in lower case, of every import; "dll #ordinal" for an
# import by ordinal.
imports_of() {  # EXE
    $objdump -p "$1" | awk '
        /^\tDLL Name: / { dll = tolower($3); next }
        /^$/ { dll = "" }
        dll != "" && $1 ~ /^[0-9a-f]+$/ && NF >= 3 { print dll, $3; next }
        dll != "" && $1 ~ /^[0-9a-f]+$/ && /Ordinal/ { print dll, "#" $NF }'
}

check_imports() {  # EXE
    local imports dlls bad
    imports=$(imports_of "$1")
    [ -n "$imports" ] || fail "no imports found"
    dlls=$(echo "$imports" | awk '{print $1}' | sort -u)
    echo "imports:" $(echo "$imports" | wc -l) "functions from" $dlls
    bad=$(echo "$dlls" | grep -Evx 'kernel32\.dll|user32\.dll|gdi32\.dll|advapi32\.dll|version\.dll|msvcrt\.dll' || true)
    [ -z "$bad" ] || fail "imports from a DLL that is not one of XP's system DLLs:" $bad
    bad=$(echo "$imports" | grep ' #' || true)
    [ -z "$bad" ] || fail "imports by ordinal, which no list can check:" $bad
    bad=$(grep -v '^#' "$missing_list" | sort -u | comm -12 - <(echo "$imports" | sort -u))
    [ -z "$bad" ] || fail "imports what Windows XP SP3 lacks:" $bad
}

[ $# -gt 0 ] || { echo "usage: check-shipped.sh EXE..."; exit 2; }
for exe in "$@"; do
    name=$(basename "$exe")
    echo "== $name"
    [ -f "$exe" ] || fail "no such file: $exe"
    check_header "$exe"
    check_debug "$exe"
    check_imports "$exe"
    echo "ok: $name: for Windows XP SP3 and later, no debug information in it"
done
