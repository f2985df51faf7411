#!/usr/bin/env bash
# Installs what is missing, checks the formatting, builds, and runs every
# test: the plain build, then the address/undefined-behaviour sanitizer build,
# then the thread sanitizer build of the resolver tests.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh test
echo "=== format"
scripts/check-format.sh

for preset in default asan tsan; do
    echo "=== $preset"
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset"
    ctest --preset "$preset"
done
