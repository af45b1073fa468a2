#!/usr/bin/env bash
# Installs what building and testing TOLVAN needs on Debian: CMake and g++
# for the native tests, MinGW-w64 for the Windows builds, Wine and Xvfb to
# run them, ImageMagick for screenshots, the Japanese and the Spanish
# locales that Wine runs some cases under, osslsigncode, OpenSSL and zip
# for releases, and npm where there is none, for validating the GitHub
# workflow. With --wine32, also finds how this machine runs the shipped
# 32-bit programs under Wine and installs that (cmake/wine-route.sh). With
# --kit, only what building the Windows test kit needs: CMake, MinGW-w64,
# GoogleTest's sources and unzip. Does nothing that is already done.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ "${1:-}" = --kit ]; then
    packages=(cmake make libgtest-dev mingw-w64 unzip)
    languages=()
else
    packages=(
        cmake make g++ libgtest-dev
        mingw-w64
        wine wine64 fonts-wine fonts-liberation
        xvfb x11-utils imagemagick
        locales
        osslsigncode openssl zip unzip git
    )
    # Wine runs the double-byte code page cases under the Japanese locale,
    # and the cases that read Windows' own button labels also under the
    # Spanish one.
    languages=(ja_JP es_ES)
fi

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
done
# The test command validates the GitHub workflow with an npm package.
[ "${1:-}" = --kit ] || command -v npx >/dev/null || missing+=(npm)
missing_locales=()
for language in "${languages[@]}"; do
    locale -a 2>/dev/null | grep -qix "$language.utf8" || missing_locales+=("$language")
done

if [ ${#missing[@]} -gt 0 ] || [ ${#missing_locales[@]} -gt 0 ]; then
    if [ "$(id -u)" -eq 0 ]; then
        as_root=()
    elif command -v sudo >/dev/null; then
        as_root=(sudo)
    else
        echo "Missing and there is no sudo: ${missing[*]} ${missing_locales[*]/%/.UTF-8}" >&2
        exit 1
    fi
    if [ ${#missing[@]} -gt 0 ]; then
        echo "Installing: ${missing[*]}"
        export DEBIAN_FRONTEND=noninteractive
        "${as_root[@]}" apt-get update -q
        "${as_root[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
    fi
    for language in "${missing_locales[@]}"; do
        echo "Generating the locale $language.UTF-8"
        "${as_root[@]}" localedef -i "$language" -f UTF-8 "$language.UTF-8"
    done
fi

if [ "${1:-}" = --wine32 ]; then
    cmake/wine-route.sh build/wine-i686
fi
