# The steps that the scripts building and running TOLVAN's programs share.
# Sourced first: it takes the checkout's lock (one such script at a time per
# checkout; a second one waits), moves to the root of the checkout and ends
# on the script's exit whatever it started.

source "$(dirname "${BASH_SOURCE[0]}")/one-at-a-time.sh"
invoked_from=$PWD
cd "$(dirname "${BASH_SOURCE[0]}")/.."
root=$PWD

# A path the user gave, relative to where the script was started.
given_path() {
    (cd "$invoked_from" && realpath -m "$1")
}

# The largest the shipped TOLVAN.EXE may be: 64 KiB, so that growth shows
# at once.
launcher_size_limit=65536

# Commands run when the script ends, last added first.
exit_steps=()
at_exit() {
    exit_steps=("$(printf '%q ' "$@")" "${exit_steps[@]}")
}
run_exit_steps() {
    local step
    for step in "${exit_steps[@]}"; do
        eval "$step" || true
    done
}
trap run_exit_steps EXIT

# Installs what is missing; with --wine32 also the way this machine runs
# 32-bit Windows programs (cmake/wine-route.sh).
prepare() {
    scripts/setup.sh "$@"
}

# Configures a preset and builds the named targets of it.
build_targets() {
    local preset=$1
    shift
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" -j"$(nproc)" --target "$@" >/dev/null
}

# The preset whose programs a script runs: win32, the shipped i686 build,
# where this machine runs 32-bit Windows programs with painted windows
# (the wine32 route); else win64, the same sources for x86_64, which Wine
# runs everywhere. Call after prepare --wine32.
runnable_preset() {
    if [ "$(cat build/wine-i686/route 2>/dev/null)" = wine32 ]; then
        echo win32
    else
        echo win64
    fi
}

# Starts a private Wine environment in STATE for the programs of PRESET,
# ended when the script ends. WINE_ENV_DISPLAY=:N uses that display
# instead of a virtual one.
wine_state=
start_wine() {
    wine_state=$1
    local preset=$2
    mkdir -p "$wine_state"
    if [ "$preset" = win32 ]; then
        echo wine32 >"$wine_state/route"
    else
        echo wine64 >"$wine_state/route"
    fi
    at_exit "$root/cmake/wine-env.sh" stop "$wine_state"
    cmake/wine-env.sh start "$wine_state" >&2
}

# Runs a Windows program in the environment start_wine started.
run_windows() {
    "$root/cmake/wine-env.sh" run "$wine_state" "$@"
}

# A Linux path as Windows programs under Wine see it: the root is drive Z:.
windows_path() {
    local path
    path=$(realpath -m "$1")
    printf 'Z:%s' "${path//\//\\}"
}
