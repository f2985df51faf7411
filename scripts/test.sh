#!/usr/bin/env bash
# Installs what is missing, checks the formatting and the shell scripts,
# builds, and runs every test: the plain build, then the
# address/undefined-behaviour sanitizer build, then the thread sanitizer build
# of the resolver tests, then a short run of every fuzz target (scripts/fuzz.sh
# runs them for long); last, builds the Debian packages, builds them again
# elsewhere to see that they are the same bit for bit, and checks them.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh test
echo "=== format"
scripts/check-format.sh
echo "=== shell scripts"
scripts/check-shell.sh

for preset in default asan tsan fuzz; do
    echo "=== $preset"
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset"
    ctest --preset "$preset"
done

echo "=== Debian packages"
scripts/build-packages.sh
scripts/check-reproducible.sh
version=$(dpkg-parsechangelog -S Version)
tests/package/check_packages.sh build/deb "$version" || [ $? -eq 77 ]
