#!/usr/bin/env bash
# Builds Lookwell, the bare dialog and the first-paint probe, then runs the
# start-up benchmark on a private Xvfb display in a mount and network
# namespace of its own (root or user namespaces needed).
# Usage: tests/e2e/bench/startup_benchmark.sh [BUILD_DIR] [STARTS]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-$here/../../../build/default}
starts=${2:-15}

cmake --build "$build" -j2 --target lookwell bare_dialog first_paint_probe >/dev/null
namespaces=(--mount --net --fork --kill-child)
unshare "${namespaces[@]}" true 2>/dev/null || namespaces=(--user --map-root-user "${namespaces[@]}")
exec unshare "${namespaces[@]}" "$here/../in_private_session.sh" /usr/bin/python3 \
    "$here/startup_benchmark.py" "$build/app/lookwell" "$build/tests/e2e/bench/bare_dialog" \
    "$build/tests/e2e/bench/libfirst_paint_probe.so" "$starts"
