#!/usr/bin/env bash
# An executable runs on a clean Windows: a PE32 i386 program of the given subsystem (gui or
# console) that imports only Windows system DLLs. Usage: check-imports.sh EXE gui|console
set -eu
exe=$1
case "${2:-gui}" in
    gui) subsystem=2 ;;
    console) subsystem=3 ;;
    *) echo "unknown subsystem $2"; exit 2 ;;
esac
allowed='^(kernel32|user32|gdi32|advapi32|version|msvcrt)\.dll$'
dlls=$(i686-w64-mingw32-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z')
echo "imports of $(basename "$exe"):" $dlls
[ -n "$dlls" ] || { echo "no imports found"; exit 1; }
bad=$(echo "$dlls" | grep -Ev "$allowed" || true)
[ -z "$bad" ] || { echo "not a Windows system DLL: $bad"; exit 1; }
i686-w64-mingw32-objdump -f "$exe" | grep -q 'file format pei-i386' || { echo "not PE32 i386"; exit 1; }
i686-w64-mingw32-objdump -p "$exe" | grep -Eq "Subsystem\s+0+$subsystem\s" ||
    { echo "not a ${2:-gui} program"; exit 1; }
echo "ok"
