#!/usr/bin/env bash
# The program's answers before any window: --help, --version, a bad command
# line, and no display to reach, each with its exit status and nothing else.
# Usage: check_command_line.sh PROGRAM VERSION
set -euo pipefail
program=$1 version=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
pass() { echo "OK: $*"; }

run() { # expected status, then the environment and arguments for env
    local expected=$1 status=0
    shift
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u XDG_SESSION_TYPE HOME="$work" \
        "$@" >"$work/out" 2>"$work/err" || status=$?
    [ "$status" -eq "$expected" ] || fail "$* exited $status, not $expected: $(cat "$work/err")"
}

run 0 "$program" --help
grep -q '^Usage: lookwell ' "$work/out" && grep -q '^  -h, --help ' "$work/out" &&
    [ ! -s "$work/err" ] && pass "--help prints the usage" || fail "--help printed: $(cat "$work/out")"
run 0 "$program" -platform offscreen --version
[ "$(cat "$work/out")" = "lookwell $version" ] && pass "--version" || fail "--version: $(cat "$work/out")"

run 2 "$program" --frobnicate
[ "$(cat "$work/err")" = "lookwell: unknown option '--frobnicate'
Try 'lookwell --help' for more information." ] && [ ! -s "$work/out" ] &&
    pass "an unknown option is refused" || fail "unknown option: $(cat "$work/err")"

# No display at all, a display nobody serves, and a window-system plugin that
# does not exist: exit status 1, never Qt's abort.
run 1 "$program"
grep -qx "lookwell: cannot reach an X display (DISPLAY is not set); .*(ssh -X)\." \
    "$work/err" && [ "$(wc -l <"$work/err")" -eq 1 ] &&
    pass "no DISPLAY: one sentence" || fail "no DISPLAY: $(cat "$work/err")"
stale=:$((700 + RANDOM % 200))
run 1 DISPLAY="$stale" "$program"
grep -q "^lookwell: cannot reach the X display \"$stale\" (DISPLAY); " "$work/err" &&
    [ "$(wc -l <"$work/err")" -eq 1 ] && pass "a stale DISPLAY: one sentence" ||
    fail "stale DISPLAY: $(cat "$work/err")"
run 1 "$program" -platform nosuch
grep -q 'no Qt platform plugin could be initialized' "$work/err" &&
    pass "a missing plugin: Qt's own explanation, exit 1" || fail "missing plugin: $(cat "$work/err")"

[ "$failures" -eq 0 ]
