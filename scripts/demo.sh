#!/usr/bin/env bash
# Runs TOLVAN.EXE on the bundled example under Wine: on your display when
# there is one, otherwise on a virtual one, saving a screenshot.
set -euo pipefail
source "$(dirname "$0")/one-at-a-time.sh"
cd "$(dirname "$0")/.."
root=$PWD
scripts/setup.sh

# Wine here runs 64-bit programs only, so the demo runs the x86_64 build
# of the same sources.
cmake --preset win64 >/dev/null
cmake --build --preset win64 -j"$(nproc)" --target tolvan example_runtime_setup example_upgrade_setup

demo=$root/build/demo
media=$demo/media
bin=$root/build/win64/bin
rm -rf "$media"
mkdir -p "$media/RUNTIME" "$media/UPGRADE"
cp "$bin/TOLVAN.EXE" "$media/"
cp examples/TOLVAN.ini examples/LICENSE.TXT "$media/"
cp "$bin/example_runtime_setup.exe" "$media/RUNTIME/SETUP.EXE"
cp "$bin/example_upgrade_setup.exe" "$media/UPGRADE/SETUP.EXE"
echo "The example installation medium: $media"

state=$demo/wine
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    WINE_ENV_DISPLAY=$DISPLAY cmake/wine-env.sh start "$state"
    trap '"$root/cmake/wine-env.sh" stop "$state"' EXIT
    cd "$media"
    "$root/cmake/wine-env.sh" run "$state" TOLVAN.EXE
    echo "TOLVAN.EXE ended; the example setup shows its window until you close it."
    read -r -p "Press Enter when done. " _ || true
else
    cmake/wine-env.sh start "$state"
    trap '"$root/cmake/wine-env.sh" stop "$state"' EXIT
    cd "$media"
    # A Wine desktop gives the windows their frames in the screenshot.
    "$root/cmake/wine-env.sh" run "$state" explorer /desktop=demo,1024x768 TOLVAN.EXE \
        </dev/null >"$demo/wine.log" 2>&1 &
    sleep "${DEMO_WAIT_SECONDS:-6}"
    screenshot=$demo/screenshot.png
    import -display "$(cat "$state/display")" -window root "$screenshot"
    echo "No display: ran on a virtual one. Screenshot: $screenshot"
fi
