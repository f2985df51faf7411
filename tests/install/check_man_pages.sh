#!/usr/bin/env bash
# The manual pages render without a single warning from groff or man.
# Usage: check_man_pages.sh PAGE...
set -euo pipefail
failures=0
for page in "$@"; do
    warnings=$( {
        LC_ALL=C.UTF-8 groff -ww -man -Tutf8 -z "$page"
        LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$page" >/dev/null
    } 2>&1)
    if [ -n "$warnings" ]; then
        echo "FAIL: $page:" >&2
        echo "$warnings" >&2
        failures=$((failures + 1))
    else
        echo "OK: $(basename "$page") renders without warnings"
    fi
done
[ "$failures" -eq 0 ]
