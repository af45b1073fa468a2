#!/usr/bin/env bash
# Writes a PNG picture of the dialog that TOLVAN.EXE would show when started
# in a directory, and prints the checker's report (scripts/check.sh).
#
#   scripts/preview.sh DIR OUT.png [--as NAME]
set -euo pipefail
if [ $# -lt 2 ]; then
    echo "usage: $0 DIR OUT.png [--as NAME]" >&2
    exit 3
fi
dir=$1 out=$2
shift 2
exec "$(dirname "$0")/check.sh" "$dir" --png "$out" "$@"
