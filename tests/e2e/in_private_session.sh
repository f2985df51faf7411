#!/usr/bin/env bash
# Runs a command in a desktop session of its own: a private X socket
# directory, so that a display number here cannot clash with an X server
# outside, and a private session bus. Run it inside a mount namespace.
set -euo pipefail
# A machine where no X server ever ran may lack the directory itself.
# shellcheck disable=SC2174 # /tmp always exists: the mode reaches the one directory made
mkdir -p -m 1777 /tmp/.X11-unix
mount -t tmpfs -o mode=1777 tmpfs /tmp/.X11-unix
# sway refuses to run as root: on Wayland the session is nobody's, and
# nobody reads the DNS server's query log.
if [ "${*: -1}" = wayland ]; then
    chmod go+rx "$(dirname "$LOOKWELL_DNS_QUERY_LOG")"
    exec setpriv --reuid=nobody --regid=nogroup --clear-groups env HOME=/nonexistent \
        dbus-run-session -- "$@"
fi
exec dbus-run-session -- "$@"
