#!/usr/bin/env bash
# Runs a program on a virtual X display and serves that display over VNC to
# this machine only (127.0.0.1), for machines that have no display of their
# own. Qt's own VNC platform plugin cannot do this: it listens on every
# network interface. Everything started here ends with the program.
# Usage: run-over-vnc.sh PROGRAM   (LOOKWELL_VNC_PORT: first port to try, 5900)
set -euo pipefail
program=$1
port=${LOOKWELL_VNC_PORT:-5900}

work=$(mktemp -d)
started=()
stop_started() {
    for pid in "${started[@]}"; do
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    rm -rf "$work"
}
trap stop_started EXIT
trap 'exit 130' INT TERM

port_in_use() { (exec 3<>"/dev/tcp/127.0.0.1/$1") 2>/dev/null; }
# Polls COMMAND... every 0.1 s for at most 10 s.
wait_for() {
    local attempt
    for attempt in $(seq 100); do
        "$@" && return 0
        sleep 0.1
    done
    return 1
}
display_ready() { [ "$(wc -l <"$work/display")" -ge 1 ]; }

while port_in_use "$port"; do
    port=$((port + 1))
done

Xvfb -displayfd 3 -screen 0 640x480x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
started+=($!)
wait_for display_ready || { cat "$work/xvfb.log" >&2; echo "Xvfb did not start" >&2; exit 1; }
display=:$(head -n1 "$work/display")

x11vnc -display "$display" -localhost -rfbport "$port" -forever -shared -nopw -quiet \
    >"$work/x11vnc.log" 2>&1 &
started+=($!)
wait_for port_in_use "$port" ||
    { cat "$work/x11vnc.log" >&2; echo "the VNC server did not start" >&2; exit 1; }

echo "There is no display here (neither DISPLAY nor WAYLAND_DISPLAY is set), so Lookwell runs on a virtual display served over VNC at 127.0.0.1:$port, reachable from this machine only."
echo "To see it from your own computer, open a tunnel with  ssh -L $port:127.0.0.1:$port $(id -un)@$(hostname)"
echo "and point any VNC viewer at localhost:$port. Closing the window (Escape or Close) or Ctrl+C here ends Lookwell."
status=0
DISPLAY=$display "$program" || status=$?
exit "$status"
