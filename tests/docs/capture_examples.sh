#!/usr/bin/env bash
# Makes the machines of docs/cli.md's examples, each in a fresh Wine prefix of the
# configuration JRESELECT_WINE_CONFIG, runs the examples' commands there and writes what they
# print to CAPTURE, each under "=== SECTION | COMMAND" (SECTION: the docs' "### " heading);
# with CLI_MD, then holds the docs' examples against it (tests/docs/check_examples.py).
#   capture_examples.sh WINE_RUN PREFIX_ROOT TREE CAPTURE [CLI_MD]
# The example of "Runtimes on the machine but not offered" is the 64-bit build in a 64-bit
# prefix, whose other view is the 32-bit one: it is made in the win64 configuration only;
# that of "Every other Java home" is the program in the view of its own kind, made in win64
# and win32 (the 32-bit program under WOW64 adds " (64-bit view)" to its 64-bit keys).
# The docs' blocks are rewritten from a capture with
#   JRESELECT_WINE_CONFIG=win64 bash tests/docs/capture_examples.sh tests/wine-run.sh \
#       build64/wine build64 /tmp/capture.txt
#   python3 tests/docs/check_examples.py write docs/cli.md /tmp/capture.txt
set -euo pipefail
wine_run=$1 root=$2 tree=$(realpath "$3") capture=$4 docs=${5:-}
here=$(dirname "$(realpath "$0")")
. "$here/../../scripts/wine-env.sh"
. "$here/example_machines.sh"
config=${JRESELECT_WINE_CONFIG:?name the Wine configuration in JRESELECT_WINE_CONFIG}

# fresh_machine NAME: a new prefix ROOT/CONFIG/NAME, entered.
fresh_machine() {
    local prefix
    prefix=$(wine_prefix_path "$(realpath -m "$root/$1")" "$config")
    [ -d "$prefix" ] && WINEPREFIX=$prefix /usr/bin/wineserver -k 2>/dev/null || true
    rm -rf "$prefix"
    bash "$wine_run" "$root/$1" --prepare
    wine_env "$config" "$prefix"
    unset JAVA_HOME JDK_HOME WINEPATH
}

# section HEADING COMMAND...: one captured block.
section() {
    local block
    block=$(run_cli "${@:2}")
    echo "=== $1 | ${block%%$'\n'*}"
    echo "${block#*$'\n'}"
}

{
    fresh_machine docs-example
    seed_example_machine
    # Wine reads the Unix command line as UTF-8 under a UTF-8 locale.
    LC_ALL=C.UTF-8 section "JreSelectCli: the runtime list from a console" \
        set 'C:\jt\cli\jāv\bin\javaw.exe'
    section "Example" --version
    section "Example" list
    section "Example" explain
    section "JSON for scripts" list --json
    section "JSON for scripts" explain --json
    section "Example" set 'c:\program files\java\jre1.8.0_401\bin\javaw.exe'
    section "Example" list
    section "Example" set 1
    section "Example" set 7
    section "JSON for scripts" set 2 --json
    section "JSON for scripts" set 7 --json

    fresh_machine docs-example-jdk17
    seed_example_machine_with_jdk17
    section "JSON for scripts" list --all --json

    if [ "$config" = win64 ]; then
        fresh_machine docs-not-offered
        seed_not_offered_machine
        for command in list "list --all" explain; do
            # shellcheck disable=SC2086 # the command's words
            section "Runtimes on the machine but not offered" $command
        done
    fi

    if [ "$config" != wow64 ]; then
        fresh_machine docs-inventory
        seed_inventory_machine
        for command in list "list --all" explain; do
            # shellcheck disable=SC2086
            section "Every other Java home" $command
        done
    fi
    /usr/bin/wineserver -k 2>/dev/null || true
} >"$capture"

[ -z "$docs" ] || python3 "$here/check_examples.py" compare "$docs" "$capture"
