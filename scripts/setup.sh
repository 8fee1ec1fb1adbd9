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

# Where the kernel runs no i386 code, Wine's 32-bit loader can still run under qemu-user:
# install it and register i386 ELF files with binfmt_misc (flag F: the interpreter is opened
# now, so it also serves other mount namespaces), unless an i386 handler is there already.
# Debian 12's qemu-user-static registers no i386 handler on amd64. Undo: README.md, "Hosts
# without i386".
. "$(dirname "$0")/wine-env.sh"
if [ "$(JRESELECT_HOST_I386='' host_i386_mode)" = no ]; then
    binfmt=/proc/sys/fs/binfmt_misc
    i386_magic='7f454c4601010100000000000000000002000300'
    if [ "$(id -u)" != 0 ]; then
        echo "setup: this host runs no i386 code; as root, setup would register qemu-user" \
            "for i386 programs (see README.md)" >&2
    elif grep -qs "magic $i386_magic" "$binfmt"/*; then
        echo "setup: an i386 handler is registered, but Wine's 32-bit loader still does not start" >&2
    else
        command -v qemu-i386-static >/dev/null || {
            export DEBIAN_FRONTEND=noninteractive
            apt-get install -y -qq --no-install-recommends qemu-user-static >/dev/null
        } || echo "setup: could not install qemu-user-static" >&2
        [ -e "$binfmt/register" ] || mount -t binfmt_misc binfmt_misc "$binfmt" 2>/dev/null || true
        if [ -x /usr/bin/qemu-i386-static ] && [ -w "$binfmt/register" ] &&
            printf '%s' ':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:/usr/bin/qemu-i386-static:F' \
                > "$binfmt/register" 2>/dev/null; then
            echo "setup: registered qemu-i386 for i386 programs ($binfmt/qemu-i386)" >&2
        else
            echo "setup: could not register qemu-user for i386 programs; the 32-bit programs" \
                "will not run here" >&2
        fi
    fi
fi
