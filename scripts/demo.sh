#!/usr/bin/env bash
# Runs TOLVAN.EXE on the bundled example under Wine: on your display when
# there is one, otherwise on a virtual one, saving a screenshot.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
prepare --wine32

preset=$(runnable_preset)
build_targets "$preset" tolvan example_runtime_setup example_upgrade_setup

demo=$root/build/demo
media=$demo/media
bin=$root/build/$preset/bin
rm -rf "$media"
mkdir -p "$media/RUNTIME" "$media/UPGRADE"
cp "$bin/TOLVAN.EXE" "$media/"
cp examples/TOLVAN.ini examples/LICENSE.TXT "$media/"
cp "$bin/example_runtime_setup.exe" "$media/RUNTIME/SETUP.EXE"
cp "$bin/example_upgrade_setup.exe" "$media/UPGRADE/SETUP.EXE"
echo "The example installation medium: $media ($([ "$preset" = win32 ] && echo i686 || echo x86_64) build)"

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    # Every run in the environment, not only its start, uses this display.
    export WINE_ENV_DISPLAY=$DISPLAY
    start_wine "$demo/wine" "$preset"
    cd "$media"
    run_windows TOLVAN.EXE
    echo "TOLVAN.EXE ended; the example setup shows its window until you close it."
    read -r -p "Press Enter when done. " _ || true
else
    start_wine "$demo/wine" "$preset"
    cd "$media"
    # A Wine desktop gives the windows their frames in the screenshot.
    run_windows explorer /desktop=demo,1024x768 TOLVAN.EXE </dev/null >"$demo/wine.log" 2>&1 &
    sleep "${DEMO_WAIT_SECONDS:-6}"
    screenshot=$demo/screenshot.png
    import -display "$(cat "$wine_state/display")" -window root "$screenshot"
    echo "No display: ran on a virtual one. Screenshot: $screenshot"
fi
