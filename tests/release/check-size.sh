#!/usr/bin/env bash
# A shipped program stays within its size budget. Usage: check-size.sh EXE MAX_BYTES
set -eu
size=$(stat -c %s "$1")
echo "$(basename "$1"): $size bytes, budget $2"
[ "$size" -le "$2" ] || { echo "over budget by $((size - $2)) bytes"; exit 1; }
