#!/usr/bin/env bash
# Builds Lookwell and times a lookup started from the keyboard, on a private
# Xvfb display against the scripted DNS server, in the end-to-end suite's
# namespace and session. Further programs (say, a build from before a change)
# are timed in turns with it.
# Usage: tests/e2e/bench/access_key_benchmark.sh [BUILD_DIR] [PRESSES] [PROGRAM...]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../../../build/default}" && pwd)
presses=${2:-25}
shift $(($# < 2 ? $# : 2))

cmake --build "$build" -j2 --target lookwell >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$here/../../support/dns/run_with_dns_server.sh" "$here/../in_private_session.sh" \
    /usr/bin/python3 "$here/access_key_benchmark.py" "$work" "$presses" "$build/app/lookwell" "$@"
