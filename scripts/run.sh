#!/usr/bin/env bash
# Installs what is missing, builds Lookwell and starts it on this display. On
# a machine with no display at all it serves the window over VNC to this
# machine only (see run-over-vnc.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh run
cmake --preset app >/dev/null
cmake --build --preset app
program=build/app/app/lookwell
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    exec scripts/run-over-vnc.sh "$program"
fi
# A Wayland session without X11 compatibility: Qt would try X11 first.
if [ -z "${DISPLAY:-}" ]; then
    export QT_QPA_PLATFORM=wayland
fi
exec "$program"
