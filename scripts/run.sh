#!/usr/bin/env bash
# Installs what is missing, builds Lookwell and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh run
cmake --preset default >/dev/null
cmake --build --preset default
echo "The Lookwell window is not built yet: the lookup core builds and its tests run with scripts/test.sh."
