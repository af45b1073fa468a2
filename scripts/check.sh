#!/usr/bin/env bash
# Runs tolvan-check.exe under Wine on a directory and prints its report:
# what TOLVAN.EXE would do if started there. With --png, also writes a
# picture of the dialog it would show (the checker draws it, ImageMagick
# converts it).
#
#   scripts/check.sh DIR [--as NAME] [--png OUT.png]
#
# Exits with the checker's status: 0 nothing wrong, 1 warnings, 2 the
# launcher would end with an error message, 3 the check could not be made
# (also when a picture was asked for and none was made).
set -euo pipefail
source "$(dirname "$0")/lib.sh"
usage="usage: scripts/check.sh DIR [--as NAME] [--png OUT.png]"
dir=$(given_path "${1:-}")
if [ $# -lt 1 ] || [ ! -d "$dir" ]; then
    echo "$usage" >&2
    exit 3
fi
shift
png=
options=()
while [ $# -gt 0 ]; do
    case $1 in
    --png)
        [ $# -ge 2 ] || { echo "$usage" >&2; exit 3; }
        png=$(given_path "$2")
        shift 2
        ;;
    *)
        options+=("$1")
        shift
        ;;
    esac
done
prepare --wine32 >&2

# The shipped i686 checker sees the registry as TOLVAN.EXE does; where this
# machine cannot run it, the x86_64 one says which view it saw.
preset=$(runnable_preset)
build_targets "$preset" tolvan_check
start_wine "$root/build/check/wine" "$preset"

if [ -n "$png" ]; then
    work=$(mktemp -d)
    at_exit rm -rf "$work"
    options+=(--preview "$(windows_path "$work/dialog.bmp")")
fi
set +e
run_windows "build/$preset/bin/tolvan-check.exe" "${options[@]}" "$(windows_path "$dir")" </dev/null | tr -d '\r'
status=${PIPESTATUS[0]}
set -e
if [ -n "$png" ]; then
    if [ ! -s "$work/dialog.bmp" ]; then
        echo "No picture was made." >&2
        exit 3
    fi
    convert "$work/dialog.bmp" "$png"
    echo "PNG: $png"
fi
exit "$status"
