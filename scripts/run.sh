#!/usr/bin/env bash
# Installs what is missing, builds Lookwell and starts it on this display. With
# no display, or one that cannot be reached, it serves the window over VNC to
# this machine only (see run-over-vnc.sh).
# Usage: run.sh [PROGRAM]   (PROGRAM: an already built or installed lookwell)
set -euo pipefail
program=${1:+$(realpath "$1")}
cd "$(dirname "$0")/.."

# Runs COMMAND... as a process group of its own and waits for it, so that a
# signal to this script stops all of it: cmake alone would leave ninja and the
# compilers running.
run_stoppable() {
    setsid "$@" &
    local job=$! signal
    for signal in HUP:129 INT:130 TERM:143; do
        # shellcheck disable=SC2064 # job and signal are meant to expand now, once per signal
        trap "kill -- -$job $job 2>/dev/null; exit ${signal#*:}" "${signal%:*}"
    done
    wait "$job"
    trap - HUP INT TERM
}

# Not stopped by a signal here: a package installation cut short does more
# harm than one that ends after this script.
scripts/install-deps.sh run
if [ -z "$program" ]; then
    run_stoppable cmake --preset app >/dev/null
    run_stoppable cmake --build --preset app
    program=build/app/app/lookwell
fi

x_display_reachable() {
    [ -n "${DISPLAY:-}" ] && timeout 5 xdpyinfo >/dev/null 2>&1
}
wayland_display_reachable() {
    local socket=${WAYLAND_DISPLAY:-}
    [ -n "$socket" ] || return 1
    [[ $socket == /* ]] || socket=${XDG_RUNTIME_DIR:-/nonexistent}/$socket
    [ -S "$socket" ]
}
# One sentence naming what was tried.
why_no_display() {
    local named=()
    [ -z "${DISPLAY:-}" ] || named+=("\"$DISPLAY\"")
    [ -z "${WAYLAND_DISPLAY:-}" ] || named+=("\"$WAYLAND_DISPLAY\"")
    case ${#named[@]} in
        0) echo "There is no display here (neither DISPLAY nor WAYLAND_DISPLAY is set)" ;;
        1) echo "The display ${named[0]} cannot be reached" ;;
        *) echo "Neither the display ${named[0]} nor ${named[1]} can be reached" ;;
    esac
}

if x_display_reachable; then
    exec "$program"
fi
if wayland_display_reachable; then
    scripts/install-deps.sh wayland
    exec env -u DISPLAY QT_QPA_PLATFORM=wayland "$program"
fi
echo "$(why_no_display), so Lookwell runs on a virtual display served over VNC."
scripts/install-deps.sh virtual-display
exec scripts/run-over-vnc.sh "$program"
