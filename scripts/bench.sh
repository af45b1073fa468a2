#!/usr/bin/env bash
# Measures TOLVAN.EXE under Wine against the least programs that do the
# same (tests/bench/), and prints a table of medians and ratios, then the
# sizes of the i686 and x86_64 executables and the DLLs each imports. It
# fails only when it cannot measure.
#
#   scripts/bench.sh [RUNS [silent|dialog]]
#     RUNS timed runs of each program per case (default 21); the second
#     argument measures only those cases
set -euo pipefail
source "$(dirname "$0")/one-at-a-time.sh"
cd "$(dirname "$0")/.."
root=$PWD
runs=${1:-21}
only=${2:-}
scripts/setup.sh

for preset in win64 win32; do
    cmake --preset "$preset" >/dev/null
done
cmake --build --preset win64 -j"$(nproc)" --target bench >/dev/null
cmake --build --preset win32 -j"$(nproc)" --target tolvan >/dev/null

state=$root/build/bench/wine
cmake/wine-env.sh start "$state"
trap '"$root/cmake/wine-env.sh" stop "$state"' EXIT
echo "Timing under $(wine --version 2>/dev/null), $runs runs each, on $(nproc) cores; load average: $(cut -d' ' -f1-3 /proc/loadavg)"
cmake/wine-env.sh run "$state" build/win64/bin/bench.exe "$runs" $only </dev/null

echo
printf '%-20s %10s %8s  %s\n' "executable" "bytes" "KiB" "imports"
for build in win32 win64; do
    exe=build/$build/bin/TOLVAN.EXE
    imports=$(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr '\n' ' ')
    stat -c %s "$exe" | awk -v name="$([ $build = win32 ] && echo i686 || echo x86_64) TOLVAN.EXE" \
        -v imports="$imports" '{ printf "%-20s %10d %8.1f  %s\n", name, $1, $1 / 1024, imports }'
done
size=$(stat -c %s build/win32/bin/TOLVAN.EXE)
echo "goal: the i686 file at most 256 KiB: $([ "$size" -le 262144 ] && echo met || echo MISSED);" \
    "only DLLs that ship with Windows: $(bash tests/check-executable.sh build/win32/bin/TOLVAN.EXE x86 >/dev/null && echo met || echo MISSED)"
