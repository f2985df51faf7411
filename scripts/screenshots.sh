#!/usr/bin/env bash
# Renders the main dialog (after a sample lookup) and the About box under Xvfb
# into docs/lookwell.png and docs/about.png.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh test
cmake --preset default >/dev/null
cmake --build --preset default --target lookwell_screenshots
mkdir -p docs
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1024x768x24" \
    build/default/tests/ui/lookwell_screenshots docs
echo "Wrote docs/lookwell.png and docs/about.png"
