#!/usr/bin/env bash
# Builds the Windows test kit from the win32 preset and writes
# dist/tolvan-windows-tests-VERSION.zip: the shipped i686 TOLVAN.EXE and
# tolvan-check.exe, every Windows-side test program with what it needs, and
# run-tests.cmd. Unpacked anywhere on Windows 7 SP1 or later, run-tests.cmd
# runs them all and needs nothing else (README.md, "Testing on Windows").
set -euo pipefail
source "$(dirname "$0")/lib.sh"
prepare --kit
build_targets win32 windows_kit

zip=$(ls build/win32/tests/kit/tolvan-windows-tests-*.zip)
name=$(basename "$zip")
mkdir -p dist
cp "$zip" "dist/$name"
echo "dist/$name, $(stat -c %s "dist/$name") bytes:"
unzip -Z1 "dist/$name" | while read -r entry; do
    printf '  %9d  %s\n' "$(unzip -p "dist/$name" "$entry" | wc -c)" "$entry"
done
