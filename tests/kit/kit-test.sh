#!/usr/bin/env bash
# The Windows test kit as a user runs it: unzipped into a fresh folder
# outside the build tree, started with `wine cmd /c run-tests.cmd` in a fresh
# Wine prefix. Checks the exit status and the summary line, a report per
# test program, that every case only Windows decides is listed as skipped
# with its reason, and that the run left no key, file or drive behind.
#
#   kit-test.sh KIT.zip WINE_ENV ROUTE
#
# ROUTE is the route file of the build's own Wine environment: how this
# machine runs the kit's i686 programs.
set -euo pipefail
zip=$(realpath "$1")
wine_env=$(realpath "$2")
route=$(realpath "$3")

work=$(mktemp -d "${TMPDIR:-/tmp}/tolvan-kit.XXXXXX")
state=$work/wine
trap '"$wine_env" stop "$state" >/dev/null 2>&1 || true; rm -rf "$work"' EXIT
mkdir -p "$work/kit" "$state"
unzip -q "$zip" -d "$work/kit"
cp "$route" "$state/route"
"$wine_env" start "$state"
prefix=$state/prefix

failed=0
fail() { echo "FAIL: $*"; failed=1; }

# The subkeys of every place the tests make keys in: whatever a case or
# the runner leaves behind shows, whatever its name.
keys() {
    local key
    for key in 'HKCU\Software' 'HKLM\Software /reg:32' 'HKLM\Software /reg:64' 'HKCR'; do
        # shellcheck disable=SC2086 # the view is a separate argument
        "$wine_env" run "$state" reg query $key </dev/null 2>/dev/null | tr -d '\r' | grep -i '^HKEY' || true
    done
}
drives() { ls "$prefix/dosdevices"; }
keys_before=$(keys)
drives_before=$(drives)

set +e
(cd "$work/kit" && "$wine_env" run "$state" cmd /c run-tests.cmd) </dev/null >"$work/console.txt" 2>&1
status=$?
set -e
tr -d '\r' <"$work/console.txt" >"$work/output.txt"
cat "$work/output.txt"
echo

[ "$status" -eq 0 ] || fail "run-tests.cmd ended with exit status $status"
summary=$(tail -n 1 "$work/output.txt")
if [[ $summary =~ ^([0-9]+)\ passed,\ ([0-9]+)\ failed,\ ([0-9]+)\ skipped$ ]]; then
    passed=${BASH_REMATCH[1]} failed_cases=${BASH_REMATCH[2]} skipped=${BASH_REMATCH[3]}
    [ "$failed_cases" -eq 0 ] || fail "the summary counts $failed_cases failed cases"
    [ "$passed" -gt 0 ] || fail "the summary counts no passed case"
else
    fail "the last line is not the summary: '$summary'"
fi

# One report per program, and together they hold every case counted.
cases=0
for program in win_tests e2e_tests; do
    report=$work/kit/results/$program.xml
    if [ -f "$report" ]; then
        cases=$((cases + $(grep -c '<testcase .*status="run"' "$report" || true)))
    else
        fail "no report results/$program.xml"
    fi
done
if [ -n "${passed:-}" ] && [ "$cases" -ne $((passed + failed_cases + skipped)) ]; then
    fail "the reports hold $cases cases, the summary counts $((passed + failed_cases + skipped))"
fi

# Every skipped case is listed with its reason, as many as the summary
# counts: the cases that only Windows may decide skip here unless their
# probe finds this Wine doing as Windows does.
listed=$(awk '/^Skipped:$/ { listing = 1; next } listing && /^  / { print; next } { listing = 0 }' "$work/output.txt")
if [ -n "$listed" ]; then
    grep -vqE '^  [A-Za-z0-9_]+\.[A-Za-z0-9_/]+: .+' <<<"$listed" &&
        fail "skipped without a reason: $(grep -vE '^  [A-Za-z0-9_]+\.[A-Za-z0-9_/]+: .+' <<<"$listed" | tr '\n' ' ')"
fi
if [ -n "${skipped:-}" ] && [ "$(grep -c . <<<"$listed")" -ne "$skipped" ]; then
    fail "the summary counts $skipped skipped cases, the list names $(grep -c . <<<"$listed")"
fi

# Nothing left behind: the same keys and drives as before, and no file.
[ "$(keys)" = "$keys_before" ] || fail "keys before and after: $(diff <(echo "$keys_before") <(keys) | tr '\n' ' ')"
[ "$(drives)" = "$drives_before" ] || fail "drives before: $(echo $drives_before); after: $(echo $(drives))"
left=$(find "$prefix/drive_c" -iname '*tolvan*' | sed "s|^$prefix/||")
[ -z "$left" ] || fail "files left in the prefix: $(echo $left)"

[ $failed -eq 0 ] && echo "OK: the kit's $((passed + skipped)) cases ran under Wine: $summary"
exit $failed
