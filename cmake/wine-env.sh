#!/usr/bin/env bash
# A private Wine environment for one build directory: its own prefix, its
# own Xvfb display and a persistent wineserver, so that many Windows
# processes start fast and nothing touches the user's own Wine or display.
#
#   wine-env.sh start STATE      create or reuse STATE/prefix, start Xvfb and wineserver
#                                (WINE_ENV_DISPLAY=:N uses that display instead of Xvfb)
#   wine-env.sh run STATE PROG.. run a Windows program in that environment
#   wine-env.sh stop STATE       end what start started, and nothing else
set -euo pipefail

command=${1:?start, run or stop}
state=$(realpath -m "${2:?state directory}")
shift 2

export WINEPREFIX=$state/prefix
export WINEDEBUG=-all
# No Mono or Gecko installers in a test prefix.
export WINEDLLOVERRIDES="mscoree=;mshtml="

start_xvfb() {
    rm -f "$state/display"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$state/display" \
        </dev/null >"$state/xvfb.log" 2>&1 &
    echo $! >"$state/xvfb.pid"
    for _ in $(seq 100); do
        if [ -s "$state/display" ]; then
            echo ":$(cat "$state/display")" >"$state/display"
            return 0
        fi
        sleep 0.1
    done
    echo "Xvfb did not start; see $state/xvfb.log" >&2
    return 1
}

stop_pid() {
    local file=$1 pid
    [ -f "$file" ] || return 0
    pid=$(cat "$file")
    rm -f "$file"
    kill "$pid" 2>/dev/null || true
}

case $command in
start)
    mkdir -p "$state" "$state/drive-t"
    "$0" stop "$state"
    if [ -n "${WINE_ENV_DISPLAY:-}" ]; then
        echo "$WINE_ENV_DISPLAY" >"$state/display"
    else
        start_xvfb
    fi
    DISPLAY=$(cat "$state/display")
    export DISPLAY
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        wineboot -i </dev/null >"$state/wineboot.log" 2>&1
        # Without a window manager Wine waits about 2 s whenever it hides
        # a managed window.
        wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f \
            </dev/null >>"$state/wineboot.log" 2>&1
        wineserver -w
    fi
    # T: is a drive whose root the tests may use as a current directory.
    ln -sfn "$state/drive-t" "$WINEPREFIX/dosdevices/t:"
    wineserver -p -f </dev/null >"$state/wineserver.log" 2>&1 &
    echo $! >"$state/wineserver.pid"
    # Start the prefix's services now, with their output in a log: started
    # by a test instead, they would hold that test's output open.
    wine cmd.exe /c exit </dev/null >"$state/services.log" 2>&1
    ;;
run)
    [ -s "$state/display" ] || { echo "no Wine environment in $state; run: $0 start $state" >&2; exit 1; }
    DISPLAY=$(cat "$state/display")
    export DISPLAY
    # The locale sets the ANSI code page: C.UTF-8 gives 1252, ja_JP.UTF-8 932.
    unset LC_ALL
    export LANG=${WINE_ENV_LANG:-C.UTF-8}
    exec wine "$@"
    ;;
stop)
    if [ -f "$state/wineserver.pid" ]; then
        wineserver -k 2>/dev/null || true
        stop_pid "$state/wineserver.pid"
    fi
    stop_pid "$state/xvfb.pid"
    rm -f "$state/display"
    ;;
*)
    echo "usage: $0 start|run|stop STATE [PROGRAM ARGS...]" >&2
    exit 2
    ;;
esac
