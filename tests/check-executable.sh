#!/usr/bin/env bash
# Checks a built program as a file: the right PE format for its processor,
# the subsystem (gui for TOLVAN.EXE, console for tolvan-check.exe), imports
# only of DLLs that Windows loads from its system directory as known DLLs
# (never from the program's folder, where anyone may have put a copy),
# ASLR and DEP (and high-entropy addresses on x86_64), and no application
# manifest (which would stop Windows elevating a setup). The headers are
# read from the file's bytes, the import and resource directories from
# objdump -p: no tool's description of the file is trusted.
set -euo pipefail
exe=$1
processor=$2
subsystem=${3:-gui}

case $subsystem in
    gui) subsystem_id=2 ;;
    console) subsystem_id=3 ;;
    *) echo "unknown subsystem $subsystem"; exit 1 ;;
esac
# The COFF machine, the optional header's magic and where its data
# directories begin.
case $processor in
    x86) machine_id=$((0x14c)) magic_id=$((0x10b)) format=PE32 directories=96 ;;
    AMD64) machine_id=$((0x8664)) magic_id=$((0x20b)) format=PE32+ directories=112 ;;
    *) echo "unknown processor $processor"; exit 1 ;;
esac

failed=0
fail() { echo "FAIL: $*"; failed=1; }

# The little-endian number of $2 bytes at offset $1 of the file.
number() {
    local value=0 byte shift=0
    for byte in $(od -An -tu1 -j "$1" -N "$2" "$exe"); do
        value=$((value | byte << shift))
        shift=$((shift + 8))
    done
    echo "$value"
}
hex() { printf '0x%x' "$1"; }

[ "$(number 0 2)" -eq $((0x5a4d)) ] || { echo "FAIL: $exe has no MZ header"; exit 1; }
pe=$(number 60 4)
[ "$(number "$pe" 4)" -eq $((0x4550)) ] || { echo "FAIL: no PE signature at offset $pe"; exit 1; }
machine=$(number $((pe + 4)) 2)
optional=$((pe + 24))
magic=$(number "$optional" 2)
[ "$machine" -eq "$machine_id" ] || fail "machine is $(hex "$machine"), expected $(hex "$machine_id") for $processor"
[ "$magic" -eq "$magic_id" ] || fail "optional header magic is $(hex "$magic"), expected $(hex "$magic_id") ($format)"
found_subsystem=$(number $((optional + 68)) 2)
[ "$found_subsystem" -eq "$subsystem_id" ] || fail "subsystem is $found_subsystem, expected $subsystem_id ($subsystem)"

# DllCharacteristics: 0x20 HIGH_ENTROPY_VA, 0x40 DYNAMIC_BASE, 0x100 NX_COMPAT.
flags=$(number $((optional + 70)) 2)
(( flags & 0x40 )) || fail "no ASLR (DYNAMIC_BASE not set in DllCharacteristics $(hex "$flags"))"
(( flags & 0x100 )) || fail "no DEP (NX_COMPAT not set in DllCharacteristics $(hex "$flags"))"
if [ "$processor" = AMD64 ]; then
    (( flags & 0x20 )) || fail "no high-entropy ASLR (HIGH_ENTROPY_VA not set in DllCharacteristics $(hex "$flags"))"
fi
# ASLR needs the relocations to move the image: data directory 5.
[ "$(number $((optional + directories + 5 * 8 + 4)) 4)" -gt 0 ] ||
    fail "no base relocations, so the loader cannot move it"

headers=$(x86_64-w64-mingw32-objdump -p "$exe")
imports=$(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$headers")
[ -n "$imports" ] || fail "objdump -p lists no imports, so a foreign DLL would go unseen"
# Known DLLs: COMCTL32, for one, is not among them.
allowed='^(KERNEL32|USER32|GDI32|ADVAPI32|SHELL32|OLE32|OLEAUT32|COMDLG32|SHLWAPI|MSVCRT)\.DLL$'
while read -r dll; do
    [[ ${dll^^} =~ $allowed ]] || fail "imports $dll, which is not a known DLL"
done <<<"$imports"

# The resource types are the top level of the resource directory; type 24
# is RT_MANIFEST.
types=$(sed -nE 's/^[0-9a-f]+   Entry: ID: 0x0*([0-9a-f]+),.*/\1/p' <<<"$headers")
[ -n "$types" ] || fail "objdump -p lists no resource types, so a manifest would go unseen"
grep -qx '18' <<<"$types" && fail "has an application manifest (RT_MANIFEST)"

[ $failed -eq 0 ] && echo "OK: $format, machine $(hex "$machine"), subsystem $subsystem; DllCharacteristics $(hex "$flags"); imports: $(tr '\n' ' ' <<<"$imports")"
exit $failed
