# Sourced: the Wine environment of one test configuration, the one place that knows them.
#   win32     the 32-bit build in a 32-bit prefix: Windows as 32-bit machines have it
#   wow64     the same 32-bit build in a 64-bit prefix: the program as 64-bit Windows runs it,
#             with the 32-bit registry view and SysWOW64 as its system directory
#   win64     a 64-bit build in a 64-bit prefix: runs on hosts that execute no i386 code
#   wow64emu  64-bit test programs in a 64-bit prefix that start the shipped 32-bit programs,
#             which run under WOW64 with Wine's 32-bit loader emulated (qemu-user through
#             binfmt_misc): for hosts whose kernel runs no i386 code
# After `wine_env CONFIG PREFIX`, `wine` (a function) starts that configuration's loader in
# that prefix. Debian's `wine` wrapper always picks the 32-bit loader when it is installed,
# so the loaders are called by their paths.

JRESELECT_WINE32_LOADER=/usr/lib/wine/wine
JRESELECT_WINE64_LOADER=/usr/lib/wine/wine64

# How this host runs i386 code, decided once per process tree into JRESELECT_HOST_I386:
#   yes       natively
#   emulated  only through a binfmt_misc handler (qemu-user): Wine's 32-bit loader starts,
#             but every 32-bit process costs about a minute of CPU
#   no        not at all: some kernels have IA-32 emulation turned off, and the 32-bit loader
#             fails with "Exec format error"
# Once a handler takes every i386 ELF file, the loader starting proves nothing. The handler
# matches only files whose e_ident byte 8 (EI_ABIVERSION) is 0, which the kernel's own ELF
# loader and ld.so ignore: a copy of the loader with that byte set to 1 reaches the kernel
# itself, which runs it (it then fails its own way, away from its libraries) or refuses it.
host_i386_mode() {
    if [ -z "${JRESELECT_HOST_I386:-}" ]; then
        JRESELECT_HOST_I386=no
        if "$JRESELECT_WINE32_LOADER" --version >/dev/null 2>&1; then
            JRESELECT_HOST_I386=yes
            local dir said
            dir=$(mktemp -d)
            cp "$JRESELECT_WINE32_LOADER" "$dir/probe"
            printf '\001' | dd of="$dir/probe" bs=1 seek=8 conv=notrunc status=none
            said=$("$dir/probe" --version 2>&1 </dev/null || true)
            rm -rf "$dir"
            case "$said" in *"Exec format error"*) JRESELECT_HOST_I386=emulated ;; esac
        fi
        export JRESELECT_HOST_I386
    fi
    echo "$JRESELECT_HOST_I386"
}

# True when this host executes i386 code natively: the win32 and wow64 configurations run
# in full. JRESELECT_HOST_I386=no set by hand keeps a run to the 64-bit configurations.
host_runs_i386() {
    [ "$(host_i386_mode)" = yes ]
}

# The tree that the demo and the benchmarks run: the shipped 32-bit build in a 32-bit prefix
# where this host executes i386 code; elsewhere the 64-bit development build in win64, which
# is not what users get, and says so. Sets program_arch, program_tree, program_config.
choose_program_tree() {
    if host_runs_i386; then
        program_arch=i686 program_tree=build program_config=win32
    else
        program_arch=x86_64 program_tree=build64 program_config=win64
        echo "This host executes no i386 code: $1 the 64-bit development build, not the" \
            "shipped program."
    fi
}

# wine_env CONFIG PREFIX
wine_env() {
    unset QEMU_CPU
    case "$1" in
        win32) export WINEARCH=win32 WINELOADER=$JRESELECT_WINE32_LOADER ;;
        # The 32-bit loader in a 64-bit prefix is WOW64; it hands 64-bit programs (wineboot,
        # the services) to the 64-bit loader itself.
        wow64) export WINEARCH=win64 WINELOADER=$JRESELECT_WINE32_LOADER ;;
        # win64 runs no 32-bit code of ours. Where i386 code runs only under qemu-user
        # (binfmt_misc), each 32-bit process Wine starts would cost a minute or more: wineboot's
        # Wow64Install alone takes two. qemu refuses a CPU model that does not exist, so such a
        # start fails at once here, as on a host without the emulation; natively it is ignored.
        win64) export WINEARCH=win64 WINELOADER=$JRESELECT_WINE64_LOADER \
                   QEMU_CPU=no-i386-code-in-win64 ;;
        wow64emu) export WINEARCH=win64 WINELOADER=$JRESELECT_WINE64_LOADER ;;
        *) echo "unknown Wine configuration '$1' (win32, wow64, win64 or wow64emu)" >&2
           return 2 ;;
    esac
    export JRESELECT_WINE_CONFIG=$1 WINEPREFIX=$2
    # No Mono or Gecko installers; no debug channels unless asked for. A test may add load
    # orders of its own in JRESELECT_DLL_OVERRIDES (Wine reads them from the environment of
    # the Wine session, never from a Windows program's).
    export WINEDLLOVERRIDES="mscoree,mshtml=${JRESELECT_DLL_OVERRIDES:+;$JRESELECT_DLL_OVERRIDES}"
    export WINEDEBUG=${WINEDEBUG:--all}
}

# The prefix of ROOT/NAME in a configuration: ROOT/CONFIG/NAME.
wine_prefix_path() {
    echo "$(dirname "$1")/$2/$(basename "$1")"
}

# use_wine_prefix ROOT/NAME: makes that prefix in the configuration JRESELECT_WINE_CONFIG
# names (a copy of its template) and enters its environment.
use_wine_prefix() {
    local config=${JRESELECT_WINE_CONFIG:?name the Wine configuration in JRESELECT_WINE_CONFIG}
    bash "$(dirname "${BASH_SOURCE[0]}")/../tests/wine-run.sh" "$1" --prepare
    wine_env "$config" "$(wine_prefix_path "$(realpath -m "$1")" "$config")"
}

wine() {
    "$WINELOADER" "$@"
}

# The configuration a program runs in when none is named: a 64-bit program in win64, a 32-bit
# one in win32. Reads the PE header's machine field.
default_wine_config() {
    local offset machine
    offset=$(od -An -t u4 -j 60 -N 4 "$1" 2>/dev/null | tr -d ' ')
    machine=$(od -An -t x2 -j $((offset + 4)) -N 2 "$1" 2>/dev/null | tr -d ' ')
    if [ "$machine" = 8664 ]; then echo win64; else echo win32; fi
}

# Stops the wineservers of every prefix below a folder, and so every Wine process in them.
# wineserver takes only an absolute WINEPREFIX; with a relative one it stops nothing.
stop_wineservers() {
    local p
    for p in $(find "$(realpath -m "$1")" -maxdepth 3 -name system.reg -printf '%h\n' 2>/dev/null); do
        WINEPREFIX=$p /usr/bin/wineserver -k 2>/dev/null || true
    done
}

