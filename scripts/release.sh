#!/usr/bin/env bash
# Builds the release archive dist/tolvan-VERSION-win32.zip: the i686
# TOLVAN.EXE and tolvan-check.exe, the guide for setup authors, the example
# medium, TOLVAN's licence and SHA256SUMS. Two runs on one commit give the
# same bytes, wherever the clone is and whenever they run.
#
#   scripts/release.sh                     the archive, unsigned
#   scripts/release.sh --sign CERT.pfx     both executables signed first
#                                          (password in TOLVAN_SIGN_PASSWORD)
set -euo pipefail
source "$(dirname "$0")/lib.sh"

cert=
while [ $# -gt 0 ]; do
    case $1 in
    --sign)
        [ $# -ge 2 ] || { echo "--sign needs a certificate file (.pfx)" >&2; exit 2; }
        cert=$(realpath "$2")
        shift 2
        ;;
    *)
        echo "usage: scripts/release.sh [--sign CERT.pfx]" >&2
        exit 2
        ;;
    esac
done

prepare

# Nothing of the builder's environment reaches the build, and the archive's
# times are the commit's (a fixed date outside a clone).
unset CFLAGS CXXFLAGS LDFLAGS RCFLAGS CPPFLAGS
export LC_ALL=C TZ=UTC
if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
    SOURCE_DATE_EPOCH=$(git log -1 --format=%ct 2>/dev/null) || SOURCE_DATE_EPOCH=315532800
fi
export SOURCE_DATE_EPOCH

# Only what ships, in a build directory of its own, without the tests.
build=$root/build/release
cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" \
    -DCMAKE_BUILD_TYPE=MinSizeRel -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" \
    --target tolvan tolvan_check example_runtime_setup example_upgrade_setup >/dev/null

version=$(sed -n 's/^#define TOLVAN_VERSION_\(MAJOR\|MINOR\|PATCH\|TWEAK\) //p' "$build/generated/version.h" | paste -sd.)
name=tolvan-$version-win32
bin=$build/bin

stage=$build/stage/$name
rm -rf "$build/stage"
mkdir -p "$stage/example/RUNTIME" "$stage/example/UPGRADE"
cp "$bin/TOLVAN.EXE" "$bin/tolvan-check.exe" "$stage/"
cp LICENSE "$stage/LICENSE"
cp docs/configuration.md "$stage/configuration.md"
cp examples/TOLVAN.ini examples/LICENSE.TXT "$stage/example/"
cp "$bin/example_runtime_setup.exe" "$stage/example/RUNTIME/SETUP.EXE"
cp "$bin/example_upgrade_setup.exe" "$stage/example/UPGRADE/SETUP.EXE"

if [ -n "$cert" ]; then
    scripts/sign.sh "$cert" "$stage/TOLVAN.EXE" "$stage/tolvan-check.exe"
fi

# What a setup author relies on: PE32, GUI, only Windows' own DLLs, no
# manifest, and small.
size=$(stat -c %s "$stage/TOLVAN.EXE")
echo "TOLVAN.EXE: $size bytes"
bash tests/check-executable.sh "$stage/TOLVAN.EXE" x86
bash tests/check-executable.sh "$stage/tolvan-check.exe" x86 console
if [ "$size" -gt "$launcher_size_limit" ]; then
    echo "TOLVAN.EXE is larger than $((launcher_size_limit / 1024)) KiB" >&2
    exit 1
fi

(
    cd "$stage"
    find . -type f ! -name SHA256SUMS -printf '%P\n' | sort | xargs -d '\n' sha256sum >SHA256SUMS
    # Fixed modes and times; entries in byte order, without directories
    # and without the extra fields that carry owners and exact times.
    find . -type f -exec chmod 644 {} + -exec touch -d "@$SOURCE_DATE_EPOCH" {} +
    mkdir -p "$root/dist"
    rm -f "$root/dist/$name.zip"
    find . -type f -printf '%P\n' | sort | zip -q -X -D "$root/dist/$name.zip" -@
)

echo
echo "dist/$name.zip${cert:+ (executables signed)}:"
(cd "$stage" && find . -type f -printf '%P\t%s\n' | sort | awk -F '\t' '{ printf "  %9d  %s\n", $2, $1 }')
(cd dist && sha256sum "$name.zip")
