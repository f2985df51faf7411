#!/usr/bin/env bash
# Installs what is missing, builds Lookwell and starts it on this display.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh run
cmake --preset default >/dev/null
cmake --build --preset default
exec build/default/ui/lookwell
