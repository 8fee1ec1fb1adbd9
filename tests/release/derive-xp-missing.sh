#!/usr/bin/env bash
# Remakes xp-sp3-missing.txt from the mingw-w64 headers and import libraries installed here
# (Debian 12: mingw-w64-common and mingw-w64-i686-dev 10.0.0) and the hand-kept
# xp-sp3-missing-known.txt. Usage: bash derive-xp-missing.sh > xp-sp3-missing.txt
#
# 1. Windows API: every function that the headers declare for Windows 10 (_WIN32_WINNT
#    0x0A00) but not for Windows XP SP3 (0x0501, NTDDI 0x05010300), and that the import
#    library of kernel32, user32, gdi32, advapi32 or version imports from that DLL. The
#    headers' guards are not exact: a few functions that an XP service pack added are
#    guarded for Server 2003, so the check may refuse an import that XP SP3 has (never the
#    reverse for these), and some that XP lacks are not guarded at all: those are part 3.
# 2. C runtime: every function of the secure C runtime (the headers' sec_api folder) that
#    libmsvcrt.a imports from msvcrt.dll. Those came with Visual C++ 2005; XP's msvcrt.dll
#    has none of them, Vista's has.
# 3. xp-sp3-missing-known.txt, appended as it is.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
cc=i686-w64-mingw32-gcc-win32
command -v $cc >/dev/null || cc=i686-w64-mingw32-gcc-posix
lib=/usr/i686-w64-mingw32/lib
include=/usr/i686-w64-mingw32/include
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Functions that the headers in $work/decl.c declare, one a line, from the prototypes that
# -aux-info writes, keeping those whose declaring header matches FILTER.
declared() {  # FILTER COMPILER-OPTIONS...
    local filter=$1
    shift
    $cc "$@" -aux-info "$work/aux" -fsyntax-only "$work/decl.c"
    grep -E "$filter" "$work/aux" | sed -n 's/.*[ *]\([A-Za-z_][A-Za-z0-9_]*\) *(.*/\1/p' |
        sort -u
}
# Functions that an import library imports from its DLL (nm type I: an import, not one of
# mingw-w64's replacements linked into the program), without the stdcall decoration.
imported() {  # LIBRARY
    i686-w64-mingw32-nm "$lib/$1" 2>/dev/null |
        sed -n 's/^.* I __imp__\([A-Za-z_][A-Za-z0-9_]*\)\(@[0-9]*\)\{0,1\}$/\1/p' | sort -u
}

printf '#include <%s>\n' windows.h ntsecapi.h psapi.h tlhelp32.h > "$work/decl.c"
declared . -D_WIN32_WINNT=0x0501 -DWINVER=0x0501 -DNTDDI_VERSION=0x05010300 > "$work/xp"
declared . -D_WIN32_WINNT=0x0A00 -DWINVER=0x0A00 -DNTDDI_VERSION=0x0A000000 > "$work/win10"
comm -13 "$work/xp" "$work/win10" > "$work/added"

printf '#include <%s>\n' windows.h stdio.h stdlib.h string.h wchar.h time.h > "$work/decl.c"
(cd "$include" && ls sec_api/*.h) | sed 's/.*/#include <&>/' >> "$work/decl.c"
declared '/sec_api/' > "$work/secure"

echo "# Functions that Windows XP SP3's system DLLs do not export: a program that imports one"
echo "# of them does not start there. One \"dll function\" a line. Made by derive-xp-missing.sh,"
echo "# which says where each part comes from; do not edit by hand."
for dll in kernel32 user32 gdi32 advapi32 version; do
    imported "lib$dll.a" | comm -12 - "$work/added" | sed "s/^/$dll.dll /"
done
imported libmsvcrt.a | comm -12 - "$work/secure" | sed 's/^/msvcrt.dll /'
grep -v '^#' "$here/xp-sp3-missing-known.txt" | grep .
