#!/usr/bin/env bash
# Runs a Windows program under Wine in a prefix of its own:
#   wine-run.sh ROOT/NAME PROGRAM [ARGS...]    or    wine-run.sh ROOT/NAME --prepare
# The configuration (win32, wow64, win64; see scripts/wine-env.sh) is JRESELECT_WINE_CONFIG,
# or else the one that fits PROGRAM. Prefixes of different configurations never mix: the
# prefix is ROOT/CONFIG/NAME. Each is a copy of one template per configuration and build tree
# (wineboot takes 10-20 s, a copy ~1 s): system files hard-linked, registry files copied, as
# Wine rewrites those.
set -eu
here=$(dirname "$(realpath "$0")")
. "$here/../scripts/wine-env.sh"

given=$(realpath -m "$1"); shift
config=${JRESELECT_WINE_CONFIG:-}
if [ -z "$config" ]; then
    if [ "${1:-}" = --prepare ] || [ -z "${1:-}" ]; then
        echo "wine-run.sh: name the configuration in JRESELECT_WINE_CONFIG" >&2
        exit 2
    fi
    config=$(default_wine_config "$1")
fi
prefix=$(wine_prefix_path "$given" "$config")
root=$(dirname "$prefix")
template=$root/template
wine_env "$config" "$prefix"

make_template() {
    rm -rf "$template.tmp"
    export WINEPREFIX=$template.tmp
    # In win64 on a host that emulates i386, wine_env makes Wine's 32-bit helpers fail at once.
    wine wineboot -i >/dev/null 2>&1
    # Debian's Wine looks for its own fonts (the dialog's "MS Sans Serif" among them) in
    # /usr/share/fonts, not in /usr/share/wine/fonts where fonts-wine puts them; the
    # prefix's own font folder is searched first.
    cp /usr/share/wine/fonts/* "$template.tmp/drive_c/windows/Fonts/"
    # Without a window manager Wine waits 2 s at every window close unless windows are
    # unmanaged.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    # A crashing program ends at once with its exception code as exit status. Without a
    # "Debugger" Wine starts winedbg, which at times ends the program itself with exit code
    # 0; a debugger that cannot start leaves the crash its own status.
    wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
    local view
    for view in /reg:32 /reg:64; do
        [ "$config" = win32 ] && [ $view = /reg:64 ] && continue
        wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger \
            /d 'no-debugger.exe %ld %ld' /f $view >/dev/null 2>&1
    done
    /usr/bin/wineserver -w
    mv "$template.tmp" "$template"
    export WINEPREFIX=$prefix
}

if [ ! -d "$prefix" ]; then
    mkdir -p "$root"
    (
        flock 9
        [ -d "$template" ] || make_template
        if [ ! -d "$prefix" ]; then
            rm -rf "$prefix.tmp"
            cp -al "$template" "$prefix.tmp"
            for f in "$prefix.tmp"/*.reg; do
                rm "$f"; cp "$template/$(basename "$f")" "$f"
            done
            mv "$prefix.tmp" "$prefix"
        fi
    ) 9>"$root/.lock"
fi

# The wineserver and Wine's own services outlive the program; started here with no
# inherited output, they never hold a test runner's pipes open after the program ends.
# They stop on their own a while after the last program, or at wineserver -k.
# The desktop process is kept running too: started by a program, it would hold that
# program's output open for a second after its last window closes.
if /usr/bin/wineserver -p30 </dev/null >/dev/null 2>&1; then
    wine cmd /c exit </dev/null >/dev/null 2>&1
    if [ -n "${DISPLAY:-}" ]; then
        wine explorer /desktop </dev/null >/dev/null 2>&1 &
    fi
fi
[ "${1:-}" = --prepare ] && exit 0
exec "$WINELOADER" "$@"
