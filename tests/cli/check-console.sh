#!/usr/bin/env bash
# JreSelectCli.exe runs on a clean Windows from a console: a 32-bit console program that
# imports only Windows system DLLs.
set -eu
exe=$1
allowed='^(kernel32|user32|gdi32|advapi32|version|msvcrt)\.dll$'
dlls=$(i686-w64-mingw32-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z')
echo "imports of $(basename "$exe"):" $dlls
[ -n "$dlls" ] || { echo "no imports found"; exit 1; }
bad=$(echo "$dlls" | grep -Ev "$allowed" || true)
[ -z "$bad" ] || { echo "not a Windows system DLL: $bad"; exit 1; }
i686-w64-mingw32-objdump -f "$exe" | grep -q 'file format pei-i386' || { echo "not PE32 i386"; exit 1; }
i686-w64-mingw32-objdump -p "$exe" | grep -Eq 'Subsystem\s+0+3\s' || { echo "not a console program"; exit 1; }
echo "ok"
