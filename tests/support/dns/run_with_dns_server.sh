#!/usr/bin/env bash
# Runs a command (the resolver's DNS tests, the lookup benchmark, the
# end-to-end suite) against the scripted DNS server, inside a throwaway
# network, mount, host-name and process namespace: /etc/resolv.conf there
# points at 127.0.0.1 only, no query can leave the machine, and every process
# started inside ends with the command. Exits 77 when no namespace can be made.
# LOOKWELL_DNS_TIMEOUT sets the resolver's per-query timeout in seconds (1).
# The command finds the server's query log in LOOKWELL_DNS_QUERY_LOG.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)

if [ "${LOOKWELL_DNS_NAMESPACE:-}" != 1 ]; then
    [ $# -gt 0 ] || { echo "usage: $0 COMMAND [ARGUMENT...]" >&2; exit 2; }
    namespaces=(--net --mount --uts --pid --mount-proc --fork --kill-child)
    if ! unshare "${namespaces[@]}" true 2>/dev/null; then
        namespaces=(--user --map-root-user "${namespaces[@]}")
        if ! unshare "${namespaces[@]}" true 2>/dev/null; then
            echo "SKIP: cannot create a network namespace (needs root or user namespaces)"
            exit 77
        fi
    fi
    exec env LOOKWELL_DNS_NAMESPACE=1 unshare "${namespaces[@]}" "$0" "$@"
fi

workdir=$(mktemp -d)
server_pid=
stop_server() {
    if [ -n "$server_pid" ]; then
        kill "$server_pid" 2>/dev/null || true
        wait "$server_pid" 2>/dev/null || true
    fi
    rm -rf "$workdir"
}
trap stop_server EXIT

ip link set lo up
# A host name without a dot gives the resolver no default search domain.
hostname lookwell-dns-test
printf 'nameserver 127.0.0.1\noptions timeout:%d attempts:1\n' "${LOOKWELL_DNS_TIMEOUT:-1}" \
    >"$workdir/resolv.conf"
mount --bind "$workdir/resolv.conf" /etc/resolv.conf
# Names go to /etc/hosts and the scripted server only, never to a host-wide
# resolver service that the machine's own nsswitch.conf might name.
printf 'hosts: files dns\n' >"$workdir/nsswitch.conf"
mount --bind "$workdir/nsswitch.conf" /etc/nsswitch.conf

server=(/usr/bin/python3 "$here/dns_server.py")
export LOOKWELL_DNS_QUERY_LOG=$workdir/queries.log
"${server[@]}" --lifetime "${LOOKWELL_DNS_LIFETIME:-120}" --query-log "$LOOKWELL_DNS_QUERY_LOG" &
server_pid=$!

for attempt in $(seq 50); do
    if "${server[@]}" --probe; then
        break
    fi
    if ! kill -0 "$server_pid" 2>/dev/null || [ "$attempt" -eq 50 ]; then
        echo "the scripted DNS server did not come up" >&2
        exit 1
    fi
    sleep 0.1
done

status=0
"$@" || status=$?
exit "$status"
