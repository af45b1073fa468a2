#!/usr/bin/env bash
# Runs the real TOLVAN.EXE under Wine on random installation media and
# checks each against the launcher's rules (fuzz/RandomMedia.cpp). Prints
# the seed of every case that failed; that seed with CASES 1 replays it.
#
#   scripts/fuzz.sh [CASES [SEED]]    default: 300 cases from a new seed
set -euo pipefail
source "$(dirname "$0")/lib.sh"
cases=${1:-300}
seed=${2:-$(( $(date +%s) % 1000000000 ))}
prepare --wine32

preset=$(runnable_preset)
build_targets "$preset" fuzz
start_wine "$root/build/fuzz/wine" "$preset"
echo "Replay: scripts/fuzz.sh $cases $seed"
TOLVAN_FUZZ_SEED=$seed TOLVAN_FUZZ_CASES=$cases run_windows "build/$preset/bin/fuzz.exe" </dev/null
