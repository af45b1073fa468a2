#!/usr/bin/env bash
# Runs the real TOLVAN.EXE under Wine on random installation media and
# checks each against the launcher's rules (tests/e2e/FuzzTest.cpp). Prints
# the seed of every case that failed; that seed with CASES 1 replays it.
#
#   scripts/fuzz.sh [CASES [SEED]]    default: 300 cases from a new seed
set -euo pipefail
source "$(dirname "$0")/one-at-a-time.sh"
cd "$(dirname "$0")/.."
root=$PWD
cases=${1:-300}
seed=${2:-$(( $(date +%s) % 1000000000 ))}
scripts/setup.sh

cmake --preset win64 >/dev/null
cmake --build --preset win64 -j"$(nproc)" --target e2e_fuzz >/dev/null

state=$root/build/fuzz/wine
cmake/wine-env.sh start "$state"
trap '"$root/cmake/wine-env.sh" stop "$state"' EXIT
echo "Replay: scripts/fuzz.sh $cases $seed"
TOLVAN_FUZZ_SEED=$seed TOLVAN_FUZZ_CASES=$cases \
    cmake/wine-env.sh run "$state" build/win64/bin/e2e_fuzz.exe </dev/null
