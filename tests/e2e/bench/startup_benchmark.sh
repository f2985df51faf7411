#!/usr/bin/env bash
# Builds Lookwell, the two yardstick dialogs and the first-paint probe, then
# runs the start-up benchmark on a private Xvfb display in a mount and network
# namespace of its own (root or user namespaces needed). Further programs to
# take in the same turns, for example an older build of Lookwell, follow as
# NAME=PROGRAM.
# Usage: tests/e2e/bench/startup_benchmark.sh [BUILD_DIR] [STARTS] [NAME=PROGRAM...]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../../../build/default}" && pwd)
starts=${2:-25}
shift $(($# < 2 ? $# : 2))

cmake --build "$build" -j2 --target lookwell bare_dialog few_controls_dialog first_paint_probe \
    >/dev/null
bench=$build/tests/e2e/bench
namespaces=(--mount --net --fork --kill-child)
unshare "${namespaces[@]}" true 2>/dev/null || namespaces=(--user --map-root-user "${namespaces[@]}")
exec unshare "${namespaces[@]}" "$here/../in_private_session.sh" /usr/bin/python3 \
    "$here/startup_benchmark.py" "$bench/libfirst_paint_probe.so" "$starts" \
    "bare dialog=$bench/bare_dialog" "few controls=$bench/few_controls_dialog" \
    "lookwell=$build/app/lookwell" "$@"
