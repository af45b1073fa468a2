#!/usr/bin/env bash
# Checks a built TOLVAN.EXE as a file: the right PE format for its
# processor, the GUI subsystem, no DLL beyond those Windows ships, and no
# application manifest (which would stop Windows elevating a setup).
set -euo pipefail
exe=$1
processor=$2

case $processor in
    x86) format='PE32 executable (GUI) Intel 80386' ;;
    AMD64) format='PE32+ executable (GUI) x86-64' ;;
    *) echo "unknown processor $processor"; exit 1 ;;
esac

failed=0
fail() { echo "FAIL: $*"; failed=1; }

description=$(file -b "$exe")
[[ $description == "$format"* ]] || fail "file says '$description', expected '$format'"

headers=$(x86_64-w64-mingw32-objdump -p "$exe")
grep -qE '^Subsystem[[:space:]]+00000002' <<<"$headers" || fail "subsystem is not Windows GUI"

allowed='^(KERNEL32|USER32|GDI32|SHELL32|ADVAPI32|COMCTL32|MSVCRT)\.DLL$'
while read -r dll; do
    [[ ${dll^^} =~ $allowed ]] || fail "imports $dll"
done < <(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$headers")

# The resource types are the top level of the resource directory; type 24
# is RT_MANIFEST.
types=$(sed -nE 's/^[0-9a-f]+   Entry: ID: 0x0*([0-9a-f]+),.*/\1/p' <<<"$headers")
grep -qx '18' <<<"$types" && fail "has an application manifest (RT_MANIFEST)"

[ $failed -eq 0 ] && echo "OK: $description; imports: $(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$headers" | tr '\n' ' ')"
exit $failed
