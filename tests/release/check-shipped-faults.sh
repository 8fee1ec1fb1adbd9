#!/usr/bin/env bash
# check-shipped.sh refuses a program with any one of the faults it is there for. Each case
# copies the shipped program and its debug file, puts in one fault the way a careless build
# would, and expects the check to fail for that reason.
# Usage: check-shipped-faults.sh EXE WORKDIR
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
exe=$1
work=$2
objcopy=i686-w64-mingw32-objcopy
name=$(basename "$exe")

# objcopy would stamp the time into the header, a fault of its own.
export SOURCE_DATE_EPOCH=0

# Writes BYTES (printf escapes) at byte OFFSET of FILE.
patch_bytes() {  # FILE OFFSET BYTES
    printf "$3" | dd of="$1" bs=1 seek="$2" conv=notrunc status=none
}
pe_offset() {
    od -An -tu4 -j60 -N4 "$1" | tr -d ' '
}
# Replaces the first occurrence of text OLD in FILE by NEW, no longer, padded with NULs.
replace_text() {  # FILE OLD NEW
    [ ${#3} -le ${#2} ] || { echo "replace_text: $3 is longer than $2"; exit 2; }
    local at
    at=$(grep -obaF "$2" "$1" | head -n1 | cut -d: -f1)
    [ -n "$at" ] || { echo "replace_text: $2 not in $1"; exit 2; }
    { printf '%s' "$3"; head -c $((${#2} - ${#3})) /dev/zero; } |
        dd of="$1" bs=1 seek="$at" conv=notrunc status=none
}

# Each fault takes the copy's path; the copy's debug file is beside it.
fault_none() { :; }
fault_time_stamp() { patch_bytes "$1" $(($(pe_offset "$1") + 8)) '\x00\x10\x5e\x5f'; }
fault_nt4_header() {
    local optional=$(($(pe_offset "$1") + 24))
    patch_bytes "$1" $((optional + 40)) '\x04\x00\x00\x00'
    patch_bytes "$1" $((optional + 48)) '\x04\x00\x00\x00'
}
fault_debug_sections() {
    printf 'not stripped' > "$work/section"
    # (objcopy warns that the section has no address: a debug section needs none.)
    $objcopy --add-section .debug_info="$work/section" "$1" 2>/dev/null
}
fault_no_debug_link() { $objcopy --remove-section .gnu_debuglink "$1"; }
fault_stale_debug_file() { printf 'x' >> "$1.debug"; }
fault_debug_file_missing() { rm "$1.debug"; }
# The loader looks an import up by the name in the import table.
fault_imports_get_tick_count_64() { replace_text "$1" GetStartupInfoA GetTickCount64; }
fault_imports_other_dll() { replace_text "$1" 'ADVAPI32.dll' 'WINHTTP.dll'; }

# name | fault | what the check must say ("" when it must pass)
cases=(
    "as built|fault_none|"
    "a link time in the header|fault_time_stamp|time stamp"
    "header declares Windows NT 4.0|fault_nt4_header|OS version 4.0, not 5.1"
    "debug sections left in|fault_debug_sections|debug sections in the program"
    "no debug link|fault_no_debug_link|no .gnu_debuglink"
    "debug file of another build|fault_stale_debug_file|has CRC"
    "debug file missing|fault_debug_file_missing|not beside the program"
    "imports GetTickCount64 (Vista)|fault_imports_get_tick_count_64|lacks: kernel32.dll GetTickCount64"
    "imports from another DLL|fault_imports_other_dll|not one of XP's system DLLs: winhttp.dll"
)

failures=0
for row in "${cases[@]}"; do
    IFS='|' read -r what fault expected <<< "$row"
    rm -rf "$work/case"
    mkdir -p "$work/case"
    cp "$exe" "$exe.debug" "$work/case/"
    $fault "$work/case/$name"
    set +e
    output=$(bash "$here/check-shipped.sh" "$work/case/$name" 2>&1)
    status=$?
    set -e
    if [ -z "$expected" ]; then
        if [ $status = 0 ]; then echo "ok: $what: passes"; continue; fi
        echo "FAILED: $what: the check refused it:"
    else
        if [ $status != 0 ] && [[ $output == *"$expected"* ]]; then
            echo "ok: $what: refused: $(echo "$output" | sed -n "s/^FAIL [^:]*: //p")"
            continue
        fi
        echo "FAILED: $what: expected a refusal saying \"$expected\", got status $status:"
    fi
    echo "$output" | sed 's/^/    /'
    failures=$((failures + 1))
done
rm -rf "$work/case" "$work/section"
[ $failures = 0 ]
