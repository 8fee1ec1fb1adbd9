#!/usr/bin/env bash
# Installs what building and testing need on Debian 12, as root. Quick when all is there.
# --release: only what scripts/release.sh needs; it only builds (no Wine, no i386 packages).
set -euo pipefail

if [ "${1:-}" = --release ]; then
    need=()
    command -v i686-w64-mingw32-g++-win32 >/dev/null ||
        need+=(g++-mingw-w64-i686-win32 gcc-mingw-w64-i686-win32 binutils-mingw-w64-i686)
    for tool in cmake make zip git; do
        command -v $tool >/dev/null || need+=($tool)
    done
    [ ${#need[@]} = 0 ] && exit 0
    [ "$(id -u)" = 0 ] || { echo "setup: missing ${need[*]}; run as root" >&2; exit 1; }
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null
    exit 0
fi

need=()
command -v i686-w64-mingw32-g++-posix >/dev/null || need+=(g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix binutils-mingw-w64-i686)
command -v x86_64-w64-mingw32-g++-posix >/dev/null || need+=(g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64)
# The shipped programs are built with the win32 thread-model compilers; zip packs them.
command -v i686-w64-mingw32-g++-win32 >/dev/null || need+=(g++-mingw-w64-i686-win32 gcc-mingw-w64-i686-win32)
command -v zip >/dev/null || need+=(zip)
command -v cmake >/dev/null || need+=(cmake)
command -v Xvfb >/dev/null || need+=(xvfb)
command -v xauth >/dev/null || need+=(xauth)
command -v import >/dev/null || need+=(imagemagick)
# xmllint: the console program's manifest is checked as XML.
command -v xmllint >/dev/null || need+=(libxml2-utils)
[ -d /usr/src/googletest ] || need+=(googletest)
[ -x /usr/lib/wine/wine ] || [ -x /usr/bin/wine ] || need+=(wine)
# The 32-bit loader runs the shipped program (win32, wow64); the 64-bit one runs 64-bit
# prefixes and the 64-bit build, also on hosts that execute no i386 code.
dpkg -s wine32:i386 >/dev/null 2>&1 || need+=(wine32:i386)
[ -x /usr/lib/wine/wine64 ] || need+=(wine64)
# "MS Sans Serif", the dialog's font, and Tahoma.
[ -e /usr/share/wine/fonts/sserife.fon ] || need+=(fonts-wine)
command -v taskset >/dev/null || need+=(util-linux)
# The tests check the console program's JSON documents with Python's json module.
command -v python3 >/dev/null || need+=(python3)
# The sources of the Japanese locale, under which the code page 932 tests run Wine.
[ -e /usr/share/i18n/locales/ja_JP ] || need+=(locales)

if [ ${#need[@]} -gt 0 ]; then
    if [ "$(id -u)" != 0 ]; then
        echo "setup: missing ${need[*]}; run as root" >&2
        exit 1
    fi
    dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null
fi

# Wine takes a process's ANSI code page from its Unix locale: ja_JP.UTF-8 gives 932.
if ! locale -a 2>/dev/null | grep -qix 'ja_JP\.utf-\?8'; then
    if [ "$(id -u)" != 0 ]; then
        echo "setup: the locale ja_JP.UTF-8 is missing; run as root" >&2
        exit 1
    fi
    localedef -i ja_JP -f UTF-8 ja_JP.UTF-8
fi
