# Sourced first by the scripts that build or run Wine: one of them at a
# time per checkout, since they share the build directories and the Wine
# environments; a second one waits for the first. The lock is held by flock
# itself, so no program they start keeps it.
if [ -z "${TOLVAN_CHECKOUT_LOCKED:-}" ]; then
    mkdir -p "$(dirname "$0")/../build"
    export TOLVAN_CHECKOUT_LOCKED=1
    exec flock -o "$(dirname "$0")/../build/.lock" "$0" "$@"
fi
