#!/usr/bin/env bash
# Builds every preset and runs all tests: the native unit tests (host, and
# again under AddressSanitizer and UndefinedBehaviorSanitizer in
# host-sanitize), and the checks of the built programs and the
# Windows-side and end-to-end tests under Wine, for the shipped i686 build
# (win32, where this machine can run it, through the Windows test kit) and
# the x86_64 one (win64); then validates the GitHub workflows. Ends with a
# summary of each preset that names every test that failed and every one
# that was skipped, with the reason.
set -uo pipefail
source "$(dirname "$0")/lib.sh"
prepare --wine32 || exit 1

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
    # CTest lists them as "  <number> - <name> (<how>)" under this heading.
    while read -r name; do
        summary+=("  failed: $name")
    done < <(awk '/The following tests FAILED:/ { listing = 1; next }
                  listing && /^[[:space:]]*[0-9]+ - / { sub(/^[[:space:]]*[0-9]+ - /, ""); print; next }
                  { listing = 0 }' "$log")
    skipped=$(grep -cE '^[[:space:]]*[0-9]+ - .* \(Skipped\)$' "$log")
    if [ "$skipped" -gt 0 ]; then
        if [ "$preset" = win32 ] && grep -q '^none' build/wine-i686/route 2>/dev/null; then
            reason=$(cut -d' ' -f2- build/wine-i686/route)
        else
            reason="see: ctest --preset $preset -V -R NAME"
        fi
        summary+=("  skipped: $skipped ($reason)")
    fi
    rm -f "$log"
done

# The GitHub workflows cannot run here: each is checked against the schema
# (the validator takes one file at a time).
echo "=== workflows"
invalid=()
if ! npx --yes @action-validator/cli --help >/dev/null; then
    # Such as a registry whose certificate this machine cannot check.
    status=1
    summary+=("workflows: not checked: npx could not fetch @action-validator/cli from the npm registry")
else
    for workflow in .github/workflows/*.yml; do
        npx --yes @action-validator/cli "$workflow" || invalid+=("$workflow")
    done
    if [ ${#invalid[@]} -eq 0 ]; then
        summary+=("workflows: valid, not run here: $(cd .github/workflows && echo *.yml)")
    else
        status=1
        summary+=("workflows: invalid (npx @action-validator/cli FILE): ${invalid[*]}")
    fi
fi

echo
echo "=== Summary"
printf '%s\n' "${summary[@]}"
exit $status
