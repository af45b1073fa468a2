#!/usr/bin/env bash
# Measures TOLVAN.EXE under Wine against the least programs that do the
# same (bench/), and prints a table of medians and ratios, then the
# sizes of the i686 and x86_64 executables and the DLLs each imports. It
# fails only when it cannot measure.
#
#   scripts/bench.sh [RUNS [silent|dialog]]
#     RUNS timed runs of each program per case (default 21); the second
#     argument measures only those cases
set -euo pipefail
source "$(dirname "$0")/lib.sh"
runs=${1:-21}
only=${2:-}
prepare

# The timings are taken with the x86_64 programs, which Wine runs on every
# machine here; the i686 file is built for its size.
build_targets win64 bench
build_targets win32 tolvan

start_wine "$root/build/bench/wine" win64
echo "Timing under $(wine --version 2>/dev/null), $runs runs each, on $(nproc) cores; load average: $(cut -d' ' -f1-3 /proc/loadavg)"
run_windows build/win64/bin/bench.exe "$runs" $only </dev/null

echo
printf '%-20s %10s %8s  %s\n' "executable" "bytes" "KiB" "imports"
for build in win32 win64; do
    exe=build/$build/bin/TOLVAN.EXE
    imports=$(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr '\n' ' ')
    stat -c %s "$exe" | awk -v name="$([ $build = win32 ] && echo i686 || echo x86_64) TOLVAN.EXE" \
        -v imports="$imports" '{ printf "%-20s %10d %8.1f  %s\n", name, $1, $1 / 1024, imports }'
done
size=$(stat -c %s build/win32/bin/TOLVAN.EXE)
echo "goal: the i686 file at most $((launcher_size_limit / 1024)) KiB: $([ "$size" -le "$launcher_size_limit" ] && echo met || echo MISSED);" \
    "only DLLs that ship with Windows: $(bash tests/check-executable.sh build/win32/bin/TOLVAN.EXE x86 >/dev/null && echo met || echo MISSED)"
