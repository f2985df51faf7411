#!/usr/bin/env bash
# Fails when a tracked C or C++ file differs from what clang-format makes of it
# with the project's .clang-format; lists every such place.
# Usage: check-format.sh   (fix with: clang-format -i FILE...)
set -euo pipefail
cd "$(dirname "$0")/.."
git ls-files -z '*.c' '*.cpp' '*.h' '*.inc' | xargs -0 clang-format --dry-run --Werror
