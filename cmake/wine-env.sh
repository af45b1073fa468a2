#!/usr/bin/env bash
# A private Wine environment for one build directory: its own prefix, its
# own Xvfb display and a persistent wineserver, so that many Windows
# processes start fast and nothing touches the user's own Wine or display.
#
#   wine-env.sh start STATE      create or reuse STATE/prefix, start Xvfb and wineserver
#                                (WINE_ENV_DISPLAY=:N uses that display instead of Xvfb)
#   wine-env.sh run STATE PROG.. run a Windows program there (without a display when
#                                the environment is not started)
#   wine-env.sh stop STATE       end what start started, and nothing else
#
# STATE/route, when present, says how programs run: "wine64" (the default),
# "wine32", or "wow64 DLLDIR" (see wine-route.sh). Programs see it as
# TOLVAN_WINE_ROUTE. WINE_ENV_LANG sets their locale (default C.UTF-8),
# and with it Wine's ANSI code page: C.UTF-8 gives 1252, ja_JP.UTF-8 932.
# TOLVAN_DRIVE_ROOT names the empty drive T: for the tests that need a
# drive root: Wine makes no drive of the letter a test defines on Windows.
set -euo pipefail

command=${1:?start, run or stop}
state=$(realpath -m "${2:?state directory}")
shift 2

if [ -f "$state/route" ]; then
    read -r route dlls <"$state/route"
else
    route=wine64
fi
export TOLVAN_WINE_ROUTE=$route
if [ "$route" = wow64 ]; then
    export WINEDLLPATH=$dlls
fi
export WINEPREFIX=$state/prefix
export WINEDEBUG=-all
# No Mono or Gecko installers in a test prefix, and no menu entries or
# file associations written into the user's home.
export WINEDLLOVERRIDES="mscoree=;mshtml=;winemenubuilder.exe=d"

# Wine takes its code page and file-name encoding from the locale; a fresh
# machine has none set, and then names with bytes above 127 cannot be made.
pin_locale() {
    local variable
    for variable in $(env | sed -n 's/^\(LC_[A-Z_]*\)=.*/\1/p'); do
        unset "$variable"
    done
    export LANG=$1
}
pin_locale C.UTF-8

# A process started here is recorded with its start time, so that a stale
# file never makes us end another process that got the same id.
start_time() {
    sed -E 's/^.*\) //' "/proc/$1/stat" 2>/dev/null | cut -d' ' -f20
}

record_pid() {
    echo "$1 $(start_time "$1")" >"$2"
}

# The recorded process, if it is still the one that was started.
live_pid() {
    local pid started
    [ -f "$1" ] || return 1
    read -r pid started <"$1" || return 1
    [ -n "$pid" ] && [ -n "$started" ] && [ "$(start_time "$pid")" = "$started" ] && echo "$pid"
}

stop_pid() {
    local pid
    if pid=$(live_pid "$1"); then
        kill "$pid" 2>/dev/null || true
    fi
    rm -f "$1"
}

running() {
    [ -s "$state/display" ] || return 1
    [ -n "${WINE_ENV_DISPLAY:-}" ] || live_pid "$state/xvfb.pid" >/dev/null || return 1
    live_pid "$state/wineserver.pid" >/dev/null
}

start_xvfb() {
    rm -f "$state/display"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$state/display.fd" \
        </dev/null >"$state/xvfb.log" 2>&1 &
    record_pid $! "$state/xvfb.pid"
    for _ in $(seq 100); do
        if [ -s "$state/display.fd" ]; then
            echo ":$(cat "$state/display.fd")" >"$state/display"
            rm -f "$state/display.fd"
            return 0
        fi
        sleep 0.1
    done
    echo "Xvfb did not start; see $state/xvfb.log" >&2
    return 1
}

# The prefix counts as made only once its creation has succeeded, and for
# the route it was made for: a prefix made before 32-bit Wine was there
# cannot load 32-bit programs.
make_prefix() {
    local made="$route, with Marlett"
    [ "$(cat "$WINEPREFIX/.tolvan-ready" 2>/dev/null)" = "$made" ] && return 0
    rm -rf "$WINEPREFIX"
    if ! {
        wineboot -i &&
            # Without a window manager Wine waits about 2 s whenever it
            # hides a managed window.
            wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f &&
            wineserver -w
    } </dev/null >"$state/wineboot.log" 2>&1; then
        echo "the Wine prefix could not be made; see $state/wineboot.log" >&2
        return 1
    fi
    # Debian's Wine does not find its own fonts. The caption buttons draw
    # their symbols in Marlett; without it the close box shows an "r".
    if [ -f /usr/share/wine/fonts/marlett.ttf ]; then
        cp /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
    fi
    echo "$made" >"$WINEPREFIX/.tolvan-ready"
}

do_start() {
    do_stop
    if [ -n "${WINE_ENV_DISPLAY:-}" ]; then
        echo "$WINE_ENV_DISPLAY" >"$state/display"
    else
        start_xvfb
    fi
    DISPLAY=$(cat "$state/display")
    export DISPLAY
    make_prefix
    # A server that a program started without the environment may still
    # be waiting to end; this prefix's persistent one replaces it.
    wineserver -k 2>/dev/null || true
    # T: is a drive whose root the tests may use as a current directory;
    # it starts empty.
    mkdir -p "$state/drive-t"
    find "$state/drive-t" -mindepth 1 -delete
    ln -sfn "$state/drive-t" "$WINEPREFIX/dosdevices/t:"
    wineserver -p -f </dev/null >"$state/wineserver.log" 2>&1 &
    record_pid $! "$state/wineserver.pid"
    # Start the prefix's services now, with their output in a log: started
    # by a test instead, they would hold that test's output open.
    wine cmd.exe /c exit </dev/null >"$state/services.log" 2>&1
    # On Windows, RPCSS and the desktop are there before any program. Under
    # Wine the first program that needs them starts them (the launcher does,
    # with COM around its start of the target), and they then never end,
    # which a program that waits for all a run started would wait for.
    wine net start rpcss </dev/null >>"$state/services.log" 2>&1
    wine rundll32.exe user32.dll,GetDesktopWindow </dev/null >>"$state/services.log" 2>&1
}

do_stop() {
    if live_pid "$state/wineserver.pid" >/dev/null; then
        # Ends this prefix's server and its programs, and no other.
        wineserver -k 2>/dev/null || true
    fi
    stop_pid "$state/wineserver.pid"
    stop_pid "$state/xvfb.pid"
    rm -f "$state/display"
}

# Two runs over the same build directory take turns at starting and
# stopping its environment.
locked() {
    mkdir -p "$state"
    (
        flock 9
        # What is started here must not hold the lock after we are done.
        "$@" 9>&-
    ) 9>"$state/lock"
}

case $command in
start)
    if [ "$route" = none ]; then
        echo "this machine cannot run these programs under Wine: ${dlls:-}" >&2
        exit 1
    fi
    locked do_start
    ;;
run)
    # Without a started environment a program still runs, with no display
    # and a server that ends with it: enough for a test program to list
    # its cases, and nothing is left behind.
    if running; then
        DISPLAY=$(cat "$state/display")
        export DISPLAY
    else
        unset DISPLAY
        locked make_prefix
    fi
    pin_locale "${WINE_ENV_LANG:-C.UTF-8}"
    export TOLVAN_DRIVE_ROOT='T:\'
    exec wine "$@"
    ;;
stop)
    locked do_stop
    ;;
*)
    echo "usage: $0 start|run|stop STATE [PROGRAM ARGS...]" >&2
    exit 2
    ;;
esac
