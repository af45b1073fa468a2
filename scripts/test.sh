#!/usr/bin/env bash
# Builds every preset and runs all tests: the native unit tests (host, and
# again under AddressSanitizer and UndefinedBehaviorSanitizer in
# host-sanitize), the check of the shipped i686 executable (win32), and the
# Windows-side and end-to-end tests under Wine (win64). Ends with CTest's
# summaries.
set -uo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh || exit 1

presets=(host host-sanitize win32 win64)
for preset in "${presets[@]}"; do
    cmake --preset "$preset" >/dev/null || exit 1
    cmake --build --preset "$preset" -j"$(nproc)" || exit 1
done

status=0
summary=()
for preset in "${presets[@]}"; do
    echo "=== $preset"
    log=$(mktemp)
    ctest --preset "$preset" 2>&1 | tee "$log"
    [ "${PIPESTATUS[0]}" -eq 0 ] || status=1
    summary+=("$preset: $(grep -E 'tests passed' "$log" || echo 'no summary')")
    rm -f "$log"
done

echo
echo "=== Summary"
printf '%s\n' "${summary[@]}"
exit $status
