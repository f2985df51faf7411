#!/usr/bin/env bash
# Starts the program with a libnatlas.so.1 that lacks NatlasGetCountryName
# first on the library path (LD_LIBRARY_PATH comes before the program's
# RUNPATH): the loader must stop it at once with its own message. A program
# that got as far as its dialog would wait there until the timeout.
# Usage: check_load_time_binding.sh PROGRAM STUB_LIBRARY_DIR
set -uo pipefail
program=$1 stub_dir=$2
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT

status=0
errors=$(HOME=$home XDG_CONFIG_HOME=$home/.config LD_LIBRARY_PATH=$stub_dir \
    QT_QPA_PLATFORM=offscreen timeout 20 "$program" 2>&1 >/dev/null) || status=$?
echo "exit status $status; standard error:"
echo "$errors"
if [ "$status" -eq 0 ] || [ "$status" -eq 124 ]; then
    echo "FAIL: the program started with a library that lacks NatlasGetCountryName" >&2
    exit 1
fi
if ! grep -Eq '(symbol lookup error|undefined symbol).*NatlasGetCountryName' <<<"$errors"; then
    echo "FAIL: no loader message about NatlasGetCountryName" >&2
    exit 1
fi
