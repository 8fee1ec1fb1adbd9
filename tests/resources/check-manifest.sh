#!/usr/bin/env bash
# The programs' manifests, read from the files alone (no Wine):
#   check-manifest.sh EXE asInvoker   one RT_MANIFEST, resource 1 (the one Windows reads at
#                                     process start), well-formed XML that asks for the
#                                     asInvoker execution level and holds nothing else that
#                                     changes how Windows runs the program
#   check-manifest.sh EXE none        no RT_MANIFEST at all
#   check-manifest.sh --self-test WORKDIR   the XML check refuses each fault put into a copy
# The resources are read back with windres (binutils reads the PE's .rsrc) as a .res file.
set -euo pipefail

fail() {
    echo "FAIL: $*"
    exit 1
}

# Unsigned little-endian number of SIZE bytes (2 or 4) at byte OFFSET of the file.
field() {  # FILE OFFSET SIZE
    od -An -tu"$3" -j"$2" -N"$3" "$1" | tr -d ' '
}

# "name offset size" of every RT_MANIFEST (type 24) in a .res file; a name that is a string
# is shown as "string".
manifests_in() {  # RES
    local res=$1 offset=0 total data_size header_size type name
    total=$(stat -c %s "$res")
    while [ $((offset + 32)) -le "$total" ]; do
        data_size=$(field "$res" $offset 4)
        header_size=$(field "$res" $((offset + 4)) 4)
        if [ "$(field "$res" $((offset + 8)) 2)" = 65535 ]; then
            type=$(field "$res" $((offset + 10)) 2)
            if [ "$(field "$res" $((offset + 12)) 2)" = 65535 ]; then
                name=$(field "$res" $((offset + 14)) 2)
            else
                name=string
            fi
            [ "$type" = 24 ] && echo "$name $((offset + header_size)) $data_size"
        fi
        offset=$(( (offset + header_size + data_size + 3) / 4 * 4 ))
    done
}

# The manifest's XML: well formed, asInvoker, and no element but those of the execution
# level (supportedOS, dependencies such as common controls, dpiAware and the like change
# how Windows runs the program).
check_xml() {  # FILE
    xmllint --noout "$1" 2>&1 || fail "the manifest is not well-formed XML"
    local level access others
    level=$(xmllint --xpath "string(//*[local-name()='requestedExecutionLevel']/@level)" "$1")
    [ "$level" = asInvoker ] || fail "execution level '${level:-none}', not asInvoker"
    access=$(xmllint --xpath "string(//*[local-name()='requestedExecutionLevel']/@uiAccess)" "$1")
    [ -z "$access" ] || [ "$access" = false ] || fail "uiAccess='$access'"
    others=$(xmllint --xpath "//*[local-name()!='assembly' and local-name()!='trustInfo' and
        local-name()!='security' and local-name()!='requestedPrivileges' and
        local-name()!='requestedExecutionLevel']" "$1" 2>/dev/null || true)
    [ -z "$others" ] || fail "elements besides the execution level: $others"
    echo "manifest: well formed, asInvoker, nothing else"
}

self_test() {  # WORKDIR
    local work=$1 failures=0 name xml expected output status
    mkdir -p "$work"
    local good='<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<assembly xmlns="urn:schemas-microsoft-com:asm.v1" manifestVersion="1.0">
  <trustInfo xmlns="urn:schemas-microsoft-com:asm.v3"><security><requestedPrivileges>
    <requestedExecutionLevel level="asInvoker" uiAccess="false"/>
  </requestedPrivileges></security></trustInfo>
</assembly>'
    # name | the fault, as a sed expression on the good manifest | what the check must say
    local cases=(
        "as it should be||"
        "requireAdministrator|s/asInvoker/requireAdministrator/|not asInvoker"
        "no execution level|s/<requestedExecutionLevel[^>]*>//|'none', not asInvoker"
        "uiAccess|s/uiAccess=\"false\"/uiAccess=\"true\"/|uiAccess='true'"
        "not well formed|s/<\\/assembly>//|not well-formed"
        "supportedOS|s/<\\/assembly>/<compatibility xmlns=\"urn:schemas-microsoft-com:compatibility.v1\"><application><supportedOS Id=\"{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}\"\\/><\\/application><\\/compatibility><\\/assembly>/|elements besides"
        "common controls|s/<\\/assembly>/<dependency><dependentAssembly><assemblyIdentity type=\"win32\" name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"\\/><\\/dependentAssembly><\\/dependency><\\/assembly>/|elements besides"
    )
    for row in "${cases[@]}"; do
        IFS='|' read -r name xml expected <<< "$row"
        printf '%s\n' "$good" | sed "$xml" > "$work/manifest.xml"
        set +e
        output=$(check_xml "$work/manifest.xml" 2>&1)
        status=$?
        set -e
        if [ -z "$expected" ] && [ $status = 0 ]; then
            echo "ok: $name: passes"
        elif [ -n "$expected" ] && [ $status != 0 ] && [[ $output == *"$expected"* ]]; then
            echo "ok: $name: refused: ${output#FAIL: }" | head -n1
        else
            echo "FAILED: $name: status $status, expected \"${expected:-a pass}\":"
            echo "$output" | sed 's/^/    /'
            failures=$((failures + 1))
        fi
    done
    rm -rf "$work"
    [ $failures = 0 ]
}

if [ "${1:-}" = --self-test ]; then
    (self_test "$2") || exit 1
    exit 0
fi
exe=$1
want=${2:?usage: check-manifest.sh EXE asInvoker|none}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
i686-w64-mingw32-windres -J coff -O res -i "$exe" -o "$work/resources.res" ||
    fail "windres cannot read the resources of $exe"
found=$(manifests_in "$work/resources.res")
echo "$(basename "$exe"): RT_MANIFEST resources: ${found:-none}"
case $want in
    none)
        [ -z "$found" ] || fail "a manifest, where none may be"
        echo "ok: no manifest" ;;
    asInvoker)
        [ -n "$found" ] || fail "no manifest"
        [ "$(echo "$found" | wc -l)" = 1 ] || fail "more than one manifest"
        read -r name offset size <<< "$found"
        [ "$name" = 1 ] || fail "the manifest is resource $name, not 1 (CREATEPROCESS_MANIFEST_RESOURCE_ID)"
        tail -c +$((offset + 1)) "$work/resources.res" | head -c "$size" > "$work/manifest.xml"
        check_xml "$work/manifest.xml"
        echo "ok: asInvoker" ;;
    *) fail "unknown expectation $want" ;;
esac
