#!/usr/bin/env bash
# Runs tolvan-check.exe under Wine on a directory and prints its report:
# what TOLVAN.EXE would do if started there.
#
#   scripts/check.sh DIR [--as NAME]
#
# Exits with the checker's status: 0 nothing wrong, 1 warnings, 2 the
# launcher would end with an error message, 3 the check could not be made.
set -euo pipefail
source "$(dirname "$0")/one-at-a-time.sh"
if [ $# -lt 1 ] || [ ! -d "$1" ]; then
    echo "usage: $0 DIR [--as NAME]" >&2
    exit 3
fi
dir=$(realpath "$1")
shift
cd "$(dirname "$0")/.."
root=$PWD
scripts/setup.sh >&2

# Wine here runs 64-bit programs only, so this is the x86_64 build of the
# checker; on Windows use the i686 build, which sees the registry as
# TOLVAN.EXE does.
cmake --preset win64 >/dev/null
cmake --build --preset win64 -j"$(nproc)" --target tolvan_check >/dev/null

state=$root/build/check/wine
cmake/wine-env.sh start "$state" >&2
trap '"$root/cmake/wine-env.sh" stop "$state"' EXIT

# Wine sees the Linux root as drive Z:.
set +e
cmake/wine-env.sh run "$state" build/win64/bin/tolvan-check.exe "$@" "Z:${dir//\//\\}" </dev/null | tr -d '\r'
status=${PIPESTATUS[0]}
exit "$status"
