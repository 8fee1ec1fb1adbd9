#!/usr/bin/env bash
# Makes the machine of docs/cli.md's inventory example in a Wine prefix of its own and runs
# JreSelectCli list, list --all and explain there, then checks that explain --json carries
# every fact of explain's text (tests/cli/check_json.py): Quillfern with its bundled runtime, an
# Eclipse Temurin 17 (machine-wide MSI, its bin first on PATH), an Azul Zulu 21, a Temurin 21
# installed for the current user only, a JDK 22 only on PATH, a JDK 11 named by JAVA_HOME,
# Oracle's javapath folder following an Oracle JDK 21 under JavaSoft\JDK, and a JDK 17
# unzipped in Program Files\Java (tests/docs/example_machines.sh, which the docs check makes
# too). The launchers are the build's fixtures (x64).
# Usage: scripts/inventory-example.sh (after a build; JRESELECT_BUILD_DIR picks the tree)
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/wine-env.sh
. tests/docs/example_machines.sh

choose_program_tree "the example runs"
tree=${JRESELECT_BUILD_DIR:-$program_tree} config=$program_config
[ -x "$tree/bin/JreSelectCli.exe" ] || bash scripts/build.sh $program_arch

example=$PWD/$tree/wine/inventory-example
trap 'stop_wineservers "$tree/wine"' EXIT
stop_wineservers "$tree/wine"
rm -rf "$(wine_prefix_path "$example" $config)"
export JRESELECT_WINE_CONFIG=$config
use_wine_prefix "$example"
seed_inventory_machine
for command in list "list --all" explain; do
    # shellcheck disable=SC2086 # the command's words
    run_cli $command
    echo
done

# explain --json on the same machine, held against explain's text by the tests' own check.
kept=$tree/artifacts/inventory-example
rm -rf "$kept" && mkdir -p "$kept"
wine "$tree/bin/JreSelectCli.exe" explain > "$kept/explain.cp1252.txt"
wine "$tree/bin/JreSelectCli.exe" explain --json > "$kept/explain.json"
sed -i 's/\r$//' "$kept/explain.cp1252.txt" "$kept/explain.json"
python3 tests/cli/check_json.py documents "$kept"
