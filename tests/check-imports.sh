#!/usr/bin/env bash
# An executable runs on a clean Windows and loads no DLL planted beside it: a PE32 i386
# program of the given subsystem (gui or console) whose every import is a KnownDLL.
# Windows looks for any other DLL in the program's own folder first, before any of the
# program's code runs. Usage: check-imports.sh EXE gui|console
set -eu
exe=$1
case "${2:-gui}" in
    gui) subsystem=2 ;;
    console) subsystem=3 ;;
    *) echo "unknown subsystem $2"; exit 2 ;;
esac
# The DLLs on the KnownDLLs list of every Windows from 7 to 11: the values of
# HKLM\SYSTEM\CurrentControlSet\Control\Session Manager\KnownDLLs on Windows 7 SP1 and on
# Windows 10 and 11, the ones they share (Windows 7 adds iertutil, lpk, urlmon, usp10 and
# wininet; 10 and 11 add combase, coml2, gdiplus and shcore). The loader maps these from
# the system directory only. version.dll is not among them (it was on Windows XP's list).
known_dlls='advapi32 clbcatq comdlg32 difxapi gdi32 imagehlp imm32 kernel32 msctf msvcrt
normaliz nsi ole32 oleaut32 psapi rpcrt4 sechost setupapi shell32 shlwapi user32 wldap32
ws2_32'
allowed="^($(echo $known_dlls | tr ' ' '|'))\.dll$"
dlls=$(i686-w64-mingw32-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z')
echo "imports of $(basename "$exe"):" $dlls
[ -n "$dlls" ] || { echo "no imports found"; exit 1; }
bad=$(echo "$dlls" | grep -Ev "$allowed" || true)
[ -z "$bad" ] || { echo "not a KnownDLL, so looked for beside the program first:" $bad; exit 1; }
i686-w64-mingw32-objdump -f "$exe" | grep -q 'file format pei-i386' || { echo "not PE32 i386"; exit 1; }
i686-w64-mingw32-objdump -p "$exe" | grep -Eq "Subsystem\s+0+$subsystem\s" ||
    { echo "not a ${2:-gui} program"; exit 1; }
echo "ok"
