#!/usr/bin/env bash
# Installs what building and testing TOLVAN needs on Debian: CMake and g++
# for the native tests, MinGW-w64 for the Windows builds, Wine and Xvfb to
# run them, ImageMagick for screenshots, the Japanese locale under which
# Wine runs programs in code page 932, osslsigncode, OpenSSL and zip for
# releases, and npm where there is none, for validating the GitHub
# workflow. With --wine32, also finds how this machine runs the shipped
# 32-bit programs under Wine and installs that (cmake/wine-route.sh). Does
# nothing that is already done.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
    cmake make g++ libgtest-dev
    mingw-w64
    wine wine64 fonts-wine fonts-liberation
    xvfb x11-utils imagemagick
    locales
    osslsigncode openssl zip unzip git
)

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
done
# The test command validates the GitHub workflow with an npm package.
command -v npx >/dev/null || missing+=(npm)
# The double-byte code page case runs Wine under this locale.
has_japanese_locale() { locale -a 2>/dev/null | grep -qix 'ja_JP.utf8'; }

if [ ${#missing[@]} -gt 0 ] || ! has_japanese_locale; then
    if [ "$(id -u)" -eq 0 ]; then
        as_root=()
    elif command -v sudo >/dev/null; then
        as_root=(sudo)
    else
        echo "Missing and there is no sudo: ${missing[*]} ja_JP.UTF-8" >&2
        exit 1
    fi
    if [ ${#missing[@]} -gt 0 ]; then
        echo "Installing: ${missing[*]}"
        export DEBIAN_FRONTEND=noninteractive
        "${as_root[@]}" apt-get update -q
        "${as_root[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
    fi
    if ! has_japanese_locale; then
        echo "Generating the locale ja_JP.UTF-8"
        "${as_root[@]}" localedef -i ja_JP -f UTF-8 ja_JP.UTF-8
    fi
fi

if [ "${1:-}" = --wine32 ]; then
    cmake/wine-route.sh build/wine-i686
fi
