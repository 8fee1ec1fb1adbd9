#!/usr/bin/env bash
# The program's folders are layers that only look down:
#   app (the dialog)   cli (the console program)   may include res/; never each other
#   discovery
#   settings
#   base
# Every #include "folder/..." in them names the file's own folder or a layer below it.
# Usage: check-layers.sh SOURCE_DIR
#        check-layers.sh --self-test SOURCE_DIR WORKDIR
#            checks a copy of the layers, then plants one include that breaks the rule in a
#            fresh copy per case and expects the check to refuse it, naming file and line.
set -euo pipefail

layers=(app cli discovery settings base)

height() {  # FOLDER: its layer's height; nothing for a folder that is no layer
    case $1 in
        base) echo 0 ;;
        settings) echo 1 ;;
        discovery) echo 2 ;;
        app | cli) echo 3 ;;
    esac
}

# check ROOT: prints one line per include that breaks the rule; false when there is one.
check() {
    local root=$1 failures=0 where file text folder target why
    local found
    found=$(cd "$root" && grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"[^"]*/' \
        "${layers[@]}" 2>/dev/null) || true
    while IFS= read -r found_line; do
        [ -n "$found_line" ] || continue
        file=${found_line%%:*}
        where=${found_line#*:}
        text=${where#*:}
        where=$file:${where%%:*}
        folder=${file%%/*}
        target=$(sed -E 's/^[^"]*"([^"/]*)\/.*/\1/' <<<"$text")
        why=
        if [ "$target" = "$folder" ]; then
            continue
        elif [ "$target" = res ]; then
            [ "$(height "$folder")" = 3 ] || why="res/ is for the programs (app, cli) only"
        elif [ -z "$(height "$target")" ]; then
            why="$target/ is no layer of the program"
        elif [ "$(height "$target")" -gt "$(height "$folder")" ]; then
            why="$target/ is above $folder/"
        elif [ "$(height "$target")" -eq "$(height "$folder")" ]; then
            why="$target/ and $folder/ are two programs: neither includes the other"
        fi
        if [ -n "$why" ]; then
            echo "$where: ${text#"${text%%[![:space:]]*}"}: $why"
            failures=$((failures + 1))
        fi
    done <<<"$found"
    [ $failures = 0 ]
}

if [ "${1:-}" != --self-test ]; then
    root=${1:?usage: check-layers.sh SOURCE_DIR}
    if ! check "$root"; then
        echo "FAIL: an include runs up or across the layers (base < settings < discovery < app, cli)" >&2
        exit 1
    fi
    echo "ok: every include looks down: base < settings < discovery < app, cli"
    exit 0
fi

# --- the check, checked ---
root=${2:?usage: check-layers.sh --self-test SOURCE_DIR WORKDIR}
work=${3:?usage: check-layers.sh --self-test SOURCE_DIR WORKDIR}
fresh_copy() {
    rm -rf "$work"
    mkdir -p "$work"
    (cd "$root" && cp -R "${layers[@]}" "$work/")
}
failures=0

fresh_copy
if ! out=$(check "$work"); then
    echo "FAIL: the unchanged copy is refused:"$'\n'"$out" >&2
    failures=$((failures + 1))
fi

# Each case: the file, the include put in as its second line, and what it breaks.
cases=(
    "discovery/runtime_entry.cpp|app/runtime_dialog.h|discovery looking up at the dialog"
    "base/list_box.cpp|settings/product_settings.h|base looking up at settings"
    "settings/registry.h|discovery/probes.h|settings looking up at discovery"
    "cli/list_command.cpp|app/messages.h|the console program including the dialog's"
    "app/runtime_dialog.cpp|cli/cli_commands.h|the dialog including the console program's"
    "settings/product_settings.cpp|res/resource.h|res/ included below the programs"
    "app/main.cpp|tests/support/scratch_registry.h|a folder that is no layer"
)
for row in "${cases[@]}"; do
    IFS='|' read -r file include what <<<"$row"
    fresh_copy
    sed -i "1a #include \"$include\"" "$work/$file"
    if out=$(check "$work"); then
        echo "FAIL: $what: $file including \"$include\" passes the check" >&2
        failures=$((failures + 1))
    elif [[ $out != "$file:2: #include \"$include\": "* ]]; then
        echo "FAIL: $what: the check does not name $file:2:"$'\n'"$out" >&2
        failures=$((failures + 1))
    else
        echo "refused ($what): $out"
    fi
done
rm -rf "$work"
[ $failures = 0 ] || exit 1
echo "ok: the check passes the tree and refuses each planted include"
