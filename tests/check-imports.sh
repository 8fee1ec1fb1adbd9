#!/usr/bin/env bash
# The executable runs on a clean Windows: it may import only Windows system DLLs.
set -eu
exe=$1
allowed='^(kernel32|user32|gdi32|advapi32|version|msvcrt|comctl32|shell32|ole32)\.dll$'
dlls=$(i686-w64-mingw32-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z')
echo "imports of $(basename "$exe"):" $dlls
[ -n "$dlls" ] || { echo "no imports found"; exit 1; }
bad=$(echo "$dlls" | grep -Ev "$allowed" || true)
if [ -n "$bad" ]; then
    echo "not a Windows system DLL: $bad"
    exit 1
fi
i686-w64-mingw32-objdump -f "$exe" | grep -q 'file format pei-i386' || { echo "not PE32 i386"; exit 1; }
i686-w64-mingw32-objdump -p "$exe" | grep -Eq 'Subsystem\s+0+2\s' || { echo "not a GUI program"; exit 1; }
echo "ok"
