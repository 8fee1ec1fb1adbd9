#!/usr/bin/env bash
# Runs a Windows program under Wine in its own prefix: wine-run.sh PREFIX PROGRAM [ARGS...]
# Each prefix is a copy of one template made once per build tree (wineboot takes ~10 s,
# a copy ~1 s). The template's system files are hard-linked; the registry files, which
# Wine rewrites, are copied.
set -eu
prefix=$(realpath -m "$1"); shift
template=$(dirname "$prefix")/template

export WINEARCH=win32 WINEDLLOVERRIDES="mscoree,mshtml=" WINEDEBUG=${WINEDEBUG:--all}

make_template() {
    rm -rf "$template.tmp"
    WINEPREFIX="$template.tmp" wineboot -i >/dev/null 2>&1
    # Debian's Wine looks for its own fonts (the dialog's "MS Sans Serif" among them) in
    # /usr/share/fonts, not in /usr/share/wine/fonts where fonts-wine puts them; the
    # prefix's own font folder is searched first.
    cp /usr/share/wine/fonts/* "$template.tmp/drive_c/windows/Fonts/"
    # Without a window manager Wine waits 2 s at every window close unless windows are
    # unmanaged.
    WINEPREFIX="$template.tmp" wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    # A crashing program ends at once instead of waiting in the crash dialog.
    WINEPREFIX="$template.tmp" wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
    WINEPREFIX="$template.tmp" wineserver -w
    mv "$template.tmp" "$template"
}

if [ ! -d "$prefix" ]; then
    mkdir -p "$(dirname "$prefix")"
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
    ) 9>"$(dirname "$prefix")/.lock"
fi

export WINEPREFIX=$prefix
# The wineserver and Wine's own services outlive the program; started here with no
# inherited output, they never hold a test runner's pipes open after the program ends.
# They stop on their own a while after the last program, or at wineserver -k.
# The desktop process is kept running too: started by a program, it would hold that
# program's output open for a second after its last window closes.
if wineserver -p30 </dev/null >/dev/null 2>&1; then
    wine cmd /c exit </dev/null >/dev/null 2>&1
    if [ -n "${DISPLAY:-}" ]; then
        wine explorer /desktop </dev/null >/dev/null 2>&1 &
    fi
fi
[ "${1:-}" = --prepare ] && exit 0
exec wine "$@"
