#!/usr/bin/env bash
# Decides how this machine runs the shipped i686 (32-bit) Windows programs
# under Wine, installs what that way needs, and checks that it works.
#
#   wine-route.sh DIR    writes DIR/route, one line:
#                          wine32          Debian's 32-bit Wine, where 32-bit Linux programs run
#                          wow64           wine64's experimental mode with the 32-bit Windows
#                                          DLLs in DIR/dlls (windows are not painted there)
#                          none REASON     no way here; the 32-bit tests are skipped
#
# TOLVAN_WINE32_ROUTE=wine32|wow64|none chooses instead of the probe, for
# trying a route on a machine that could take another. A route already
# found is kept until the choice changes or DIR/route is removed.
#
# Installing wine32 where 32-bit Linux programs cannot run would make the
# `wine` command use a 32-bit loader for everything, so nothing would run
# at all: the probe comes first.
set -euo pipefail

dir=$(realpath -m "${1:?directory for the route}")
choice=${TOLVAN_WINE32_ROUTE:-probe}
mkdir -p "$dir"

case $choice in
probe | wine32 | wow64 | none) ;;
*)
    echo "TOLVAN_WINE32_ROUTE must be wine32, wow64 or none, not '$choice'" >&2
    exit 2
    ;;
esac

if [ -f "$dir/route" ] && [ "$(cat "$dir/choice" 2>/dev/null)" = "$choice" ]; then
    exit 0
fi
rm -f "$dir/route" "$dir/choice"

if [ "$(id -u)" -eq 0 ]; then
    as_root=()
else
    as_root=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive

decide() {
    echo "$*" >"$dir/route"
    echo "$choice" >"$dir/choice"
    echo "32-bit Windows programs: $*"
}

installed() {
    dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'
}

add_i386() {
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        "${as_root[@]}" dpkg --add-architecture i386
        "${as_root[@]}" apt-get update -q
    fi
}

# An emulator registered for 32-bit programs (qemu through binfmt_misc)
# runs them too, but far too slowly for Wine: that is not native support.
emulated_i386() {
    local entry
    for entry in /proc/sys/fs/binfmt_misc/*; do
        [ -f "$entry" ] || continue
        grep -qx enabled "$entry" 2>/dev/null || continue
        grep -q '^magic 7f454c4601010100000000000000000002000300' "$entry" 2>/dev/null && return 0
    done
    return 1
}

runs_32bit_linux() {
    installed libc6-i386 || installed libc6:i386 ||
        "${as_root[@]}" apt-get install -y -q --no-install-recommends libc6-i386 >/dev/null
    ! emulated_i386 && /lib/ld-linux.so.2 --version >/dev/null 2>&1
}

use_wine32() {
    add_i386
    installed wine32:i386 ||
        "${as_root[@]}" apt-get install -y -q --no-install-recommends wine32:i386 >/dev/null
    decide wine32
}

# The 32-bit Windows DLLs of the installed Wine build, beside a link to its
# 64-bit Unix side, as WINEDLLPATH wants them. Then one 32-bit program
# must run in a scratch prefix, or the route is no route.
use_wow64() {
    local version deb scratch output
    version=$(dpkg-query -W -f='${Version}' wine64)
    if [ ! -d "$dir/dlls/i386-windows" ]; then
        add_i386
        scratch=$(mktemp -d)
        (cd "$scratch" && apt-get download -q "libwine:i386=$version" >/dev/null 2>&1) || {
            rm -rf "$scratch"
            decide none "the 32-bit DLLs of Wine $version (libwine:i386) could not be downloaded"
            return
        }
        deb=$(ls "$scratch"/libwine_*_i386.deb)
        dpkg-deb -x "$deb" "$scratch/root"
        mkdir -p "$dir/dlls"
        rm -rf "$dir/dlls/i386-windows"
        mv "$scratch/root/usr/lib/i386-linux-gnu/wine/i386-windows" "$dir/dlls/i386-windows"
        rm -rf "$scratch"
    fi
    ln -sfn /usr/lib/x86_64-linux-gnu/wine/x86_64-unix "$dir/dlls/x86_64-unix"

    scratch=$(mktemp -d)
    output=$(WINEPREFIX=$scratch/prefix WINEDLLPATH=$dir/dlls WINEDEBUG=-all LANG=C.UTF-8 \
        WINEDLLOVERRIDES="mscoree=;mshtml=;winemenubuilder.exe=d" \
        timeout 300 bash -c 'wineboot -i >/dev/null 2>&1 && wine "$1" 2>&1; status=$?; wineserver -k; exit $status' \
        probe "$dir/dlls/i386-windows/hostname.exe" </dev/null) || true
    rm -rf "$scratch"
    if [ -n "$output" ] && ! grep -qi 'could not\|error\|failed' <<<"$output"; then
        decide wow64
    else
        rm -rf "$dir/dlls"
        decide none "this kernel runs no 32-bit code: 32-bit Linux programs fail with 'Exec format error'" \
            "and Wine's experimental wow64 mode cannot start a 32-bit program either"
    fi
}

case $choice in
none) decide none "TOLVAN_WINE32_ROUTE=none" ;;
wine32)
    if runs_32bit_linux; then
        use_wine32
    else
        decide none "TOLVAN_WINE32_ROUTE=wine32, but this machine runs no 32-bit Linux programs"
    fi
    ;;
wow64) use_wow64 ;;
probe)
    if runs_32bit_linux; then
        use_wine32
    else
        use_wow64
    fi
    ;;
esac
