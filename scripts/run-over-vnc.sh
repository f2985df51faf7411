#!/usr/bin/env bash
# Runs a program on a virtual X display with a small window manager and serves
# that display over VNC to this machine only (127.0.0.1), behind a one-time
# password printed here and handed to the VNC server in a file only this user
# can read. Qt's own VNC platform plugin cannot do this: it listens on every
# network interface and asks for no password. The X display itself admits only
# holders of a random cookie, so other users cannot reach it around VNC.
# Everything started here ends when the program ends, or within a second of
# TERM, HUP or INT to this script.
# Usage: run-over-vnc.sh PROGRAM [ARGUMENT...]
#   LOOKWELL_VNC_PORT: the first port to try (5900); the next free one is used.
set -euo pipefail
if [ $# -lt 1 ]; then
    echo "usage: $0 PROGRAM [ARGUMENT...]" >&2
    exit 2
fi
here=$(cd "$(dirname "$0")" && pwd)
first_port=${LOOKWELL_VNC_PORT:-5900}

# Eight characters, as many as VNC's password check reads; no look-alikes.
one_time_password() {
    local alphabet=abcdefghijkmnpqrstuvwxyzABCDEFGHJKLMNPQRSTUVWXYZ23456789 byte password=
    for byte in $(od -An -N8 -tu1 /dev/urandom); do
        password+=${alphabet:byte % ${#alphabet}:1}
    done
    echo "$password"
}
# Bash 5.2 fails to run a trap that arrives while it expands a command
# substitution, so every one of them comes before the traps are set.
password=$(one_time_password)
cookie=$(mcookie)
login=$(id -un)@$(hostname)
umask 077
work=$(mktemp -d)
# Waits without a child process: bash can lose track of a child started
# while it stops the jobs ("wait_for: No record of process").
mkfifo "$work/never"
exec {never}<>"$work/never"
pause() {
    read -rt "$1" -u "$never" || true
}

any_running() {
    local pid
    for pid in "$@"; do
        kill -0 "$pid" 2>/dev/null && return 0
    done
    return 1
}
# Stops every background job. A signal may come between starting a job and
# recording its process id: that job is still the last one started ($!). The
# program is started last, so it goes first and never sees its display
# vanish. The jobs ignore SIGINT (background jobs of a script do): TERM them,
# give them half a second, then kill what is left. A job caught by a signal
# before it has become its program runs this too, and must leave it alone.
started=()
stop_started() {
    [ "$BASHPID" = $$ ] || return 0
    local attempt pids=(${!:-} "${started[@]}")
    kill "${pids[@]}" 2>/dev/null || true
    for attempt in 1 2 3 4 5; do
        any_running "${pids[@]}" || break
        pause 0.1
    done
    kill -KILL "${pids[@]}" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap stop_started EXIT
trap 'exit 129' HUP
trap 'exit 130' INT
trap 'exit 143' TERM
trap 'exit 141' PIPE

# Polls COMMAND... every 0.1 s for at most 10 s.
wait_for() {
    local attempt
    for ((attempt = 0; attempt < 100; attempt++)); do
        "$@" && return 0
        pause 0.1
    done
    return 1
}
# Reads the first line of FILE that starts with PREFIX, without it, into
# the variable NAME.
read_line_after() {
    local -n into=$1
    local line
    [ -e "$2" ] || return 1
    while IFS= read -r line; do
        if [[ $line == "$3"* ]]; then
            # shellcheck disable=SC2034 # a nameref: this sets the caller's variable
            into=${line#"$3"}
            return 0
        fi
    done <"$2"
    return 1
}
fail_with_log() {
    cat "$2" >&2
    echo "$1" >&2
    exit 1
}

# The X server reads every cookie in its file whatever display it names, so
# the cookie can be given before the display number is known. The cookie goes
# through standard input, never a command line that ps shows.
export XAUTHORITY=$work/Xauthority
: >"$XAUTHORITY"
echo "add :0 . $cookie" | xauth -q source -
Xvfb -displayfd 3 -auth "$XAUTHORITY" -screen 0 640x480x24 -nolisten tcp \
    3>"$work/display" 2>"$work/xvfb.log" &
started+=($!)
wait_for read_line_after number "$work/display" "" || fail_with_log "Xvfb did not start" "$work/xvfb.log"
# shellcheck disable=SC2154 # read_line_after set it through its nameref
export DISPLAY=:$number
echo "add $DISPLAY . $cookie" | xauth -q source -
unset WAYLAND_DISPLAY
# Over SSH without a login session there is none; Qt would make one in /tmp.
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$work}

# A session bus of the display's own, which ends with it. Without one, a Qt
# program on a machine with dbus-x11 has dbus-launch start a bus that writes
# into ~/.dbus and outlives everything here.
dbus-daemon --session --nofork --nopidfile --print-address=3 3>"$work/bus" 2>"$work/dbus.log" &
started+=($!)
bus_address=
wait_for read_line_after bus_address "$work/bus" "" ||
    fail_with_log "the session bus did not start" "$work/dbus.log"
export DBUS_SESSION_BUS_ADDRESS=$bus_address

# Its log and session files go with the display, not into the user's home.
XDG_CACHE_HOME=$work openbox --config-file "$here/virtual-display-openbox.xml" \
    >"$work/openbox.log" 2>&1 &
started+=($!)

echo "$password" >"$work/password"
x11vnc -localhost -autoport "$first_port" -passwdfile "rm:$work/password" -forever -shared \
    -norc -quiet >"$work/x11vnc.out" 2>"$work/x11vnc.log" &
started+=($!)
wait_for read_line_after port "$work/x11vnc.out" PORT= ||
    fail_with_log "the VNC server did not start" "$work/x11vnc.log"

QT_QPA_PLATFORM=xcb "$@" &
# shellcheck disable=SC2154 # read_line_after set it through its nameref
echo "VNC server: 127.0.0.1:$port, reachable from this machine only; one-time password: $password"
echo "From your own computer: open a tunnel with  ssh -L $port:127.0.0.1:$port $login"
echo "and point a VNC viewer at localhost:$port, giving it the password above."
echo "To stop: close the window (Escape or Close), press Ctrl+C here, or run  kill $$"
status=0
wait $! || status=$?
exit "$status"
