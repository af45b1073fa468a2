#!/usr/bin/env bash
# Installs what building and testing TOLVAN needs on Debian: CMake and g++
# for the native tests, MinGW-w64 for the Windows builds, Wine and Xvfb to
# run them, ImageMagick for screenshots, osslsigncode, OpenSSL and zip for
# releases. Does nothing when all is there.
set -euo pipefail

packages=(
    cmake make g++ libgtest-dev file
    mingw-w64
    wine wine64 fonts-wine fonts-liberation
    xvfb x11-utils imagemagick
    osslsigncode openssl zip unzip git
)

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
    as_root=()
elif command -v sudo >/dev/null; then
    as_root=(sudo)
else
    echo "These packages are missing and there is no sudo: ${missing[*]}" >&2
    exit 1
fi
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -q
"${as_root[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
