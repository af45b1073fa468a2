#!/usr/bin/env bash
# Checks a built program as a file: the right PE format for its processor,
# the subsystem (gui for TOLVAN.EXE, console for tolvan-check.exe), imports
# only of DLLs that Windows loads from its system directory as known DLLs
# (never from the program's folder, where anyone may have put a copy),
# ASLR and DEP (and high-entropy addresses on x86_64), and no application
# manifest (which would stop Windows elevating a setup).
set -euo pipefail
exe=$1
processor=$2
subsystem=${3:-gui}

case $subsystem in
    gui) kind='GUI'; subsystem_id=2 ;;
    console) kind='console'; subsystem_id=3 ;;
    *) echo "unknown subsystem $subsystem"; exit 1 ;;
esac
case $processor in
    x86) format="PE32 executable ($kind) Intel 80386" ;;
    AMD64) format="PE32+ executable ($kind) x86-64" ;;
    *) echo "unknown processor $processor"; exit 1 ;;
esac

failed=0
fail() { echo "FAIL: $*"; failed=1; }

description=$(file -b "$exe")
[[ $description == "$format"* ]] || fail "file says '$description', expected '$format'"

headers=$(x86_64-w64-mingw32-objdump -p "$exe")
grep -qE "^Subsystem[[:space:]]+0000000$subsystem_id" <<<"$headers" || fail "subsystem is not $subsystem"

# Known DLLs: COMCTL32, for one, is not among them.
allowed='^(KERNEL32|USER32|GDI32|ADVAPI32|SHELL32|OLE32|OLEAUT32|COMDLG32|SHLWAPI|MSVCRT)\.DLL$'
while read -r dll; do
    [[ ${dll^^} =~ $allowed ]] || fail "imports $dll, which is not a known DLL"
done < <(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$headers")

# DllCharacteristics: 0x20 HIGH_ENTROPY_VA, 0x40 DYNAMIC_BASE, 0x100 NX_COMPAT.
characteristics=$(sed -nE 's/^DllCharacteristics[[:space:]]+([0-9a-fA-F]+).*/\1/p' <<<"$headers")
flags=$((16#${characteristics:-0}))
(( flags & 0x40 )) || fail "no ASLR (DYNAMIC_BASE not set in DllCharacteristics $characteristics)"
(( flags & 0x100 )) || fail "no DEP (NX_COMPAT not set in DllCharacteristics $characteristics)"
if [ "$processor" = AMD64 ]; then
    (( flags & 0x20 )) || fail "no high-entropy ASLR (HIGH_ENTROPY_VA not set in DllCharacteristics $characteristics)"
fi
# ASLR needs the relocations to move the image.
grep -qE '^[[:space:]]*[0-9]+[[:space:]]+\.reloc' < <(x86_64-w64-mingw32-objdump -h "$exe") ||
    fail "no .reloc section, so the loader cannot move it"

# The resource types are the top level of the resource directory; type 24
# is RT_MANIFEST.
types=$(sed -nE 's/^[0-9a-f]+   Entry: ID: 0x0*([0-9a-f]+),.*/\1/p' <<<"$headers")
grep -qx '18' <<<"$types" && fail "has an application manifest (RT_MANIFEST)"

[ $failed -eq 0 ] && echo "OK: $description; DllCharacteristics $characteristics; imports: $(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$headers" | tr '\n' ' ')"
exit $failed
