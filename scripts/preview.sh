#!/usr/bin/env bash
# Writes a PNG picture of the dialog that TOLVAN.EXE would show when started
# in a directory: tolvan-check.exe draws it under Wine on a virtual display,
# ImageMagick converts it. Prints the checker's report too.
#
#   scripts/preview.sh DIR OUT.png [--as NAME]
#
# Exits with the checker's status (see scripts/check.sh); 3 when no
# picture was made.
set -euo pipefail
source "$(dirname "$0")/one-at-a-time.sh"
if [ $# -lt 2 ] || [ ! -d "$1" ]; then
    echo "usage: $0 DIR OUT.png [--as NAME]" >&2
    exit 3
fi
dir=$(realpath "$1")
out=$(realpath -m "$2")
shift 2
cd "$(dirname "$0")/.."
root=$PWD
scripts/setup.sh >&2

cmake --preset win64 >/dev/null
cmake --build --preset win64 -j"$(nproc)" --target tolvan_check >/dev/null

state=$root/build/check/wine
work=$(mktemp -d)
cmake/wine-env.sh start "$state" >&2
trap '"$root/cmake/wine-env.sh" stop "$state"; rm -rf "$work"' EXIT

set +e
cmake/wine-env.sh run "$state" build/win64/bin/tolvan-check.exe --preview "Z:${work//\//\\}\\dialog.bmp" "$@" \
    "Z:${dir//\//\\}" </dev/null | tr -d '\r'
status=${PIPESTATUS[0]}
set -e
if [ ! -s "$work/dialog.bmp" ]; then
    echo "No preview was made." >&2
    exit 3
fi
convert "$work/dialog.bmp" "$out"
echo "PNG: $out"
exit "$status"
