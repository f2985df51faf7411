#!/usr/bin/env bash
# Run by check_packages.sh inside a private mount namespace: covers /usr, /etc
# and /var with throwaway overlays, installs the three packages with dpkg and
# checks what a user and a C programmer get, then removes them again.
# Usage: installed_packages_check.sh LOOKWELL_DEB LIBNATLAS1_DEB LIBNATLAS_DEV_DEB VERSION
#        CONSUMER_C SCRATCH_DIR
set -euo pipefail
lookwell_deb=$1 library_deb=$2 dev_deb=$3 version=$4 consumer=$5 scratch=$6
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
pass() { echo "OK: $*"; }

mount -t tmpfs lookwell-packages "$scratch"
for dir in usr etc var; do
    mkdir "$scratch/$dir.upper" "$scratch/$dir.work"
    mount -t overlay overlay \
        -o "lowerdir=/$dir,upperdir=$scratch/$dir.upper,workdir=$scratch/$dir.work" "/$dir"
done

dpkg -i "$library_deb" "$dev_deb" "$lookwell_deb" >"$scratch/dpkg.log" 2>&1 &&
    pass "dpkg -i installs the three packages" || { cat "$scratch/dpkg.log" >&2; exit 1; }

[ "$(env -u DISPLAY -u WAYLAND_DISPLAY lookwell --version)" = "lookwell $version" ] &&
    pass "lookwell --version answers $version" || fail "lookwell --version"
status=0
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM lookwell 2>"$scratch/nodisplay.err" || status=$?
[ "$status" -eq 1 ] && [ "$(wc -l <"$scratch/nodisplay.err")" -eq 1 ] &&
    pass "without a display: exit 1, one line on stderr" ||
    fail "without a display: exit $status, stderr: $(cat "$scratch/nodisplay.err")"
man -w lookwell >/dev/null && man -w 3 natlas >/dev/null && pass "man lookwell, man 3 natlas" ||
    fail "the manual pages are not found"

# shellcheck disable=SC2046 # pkg-config's flags are meant to split into words
cc -Wall -Werror "$consumer" $(pkg-config --cflags --libs natlas) -o "$scratch/consumer" &&
    [ "$("$scratch/consumer" UK)" = "United Kingdom" ] &&
    pass "a C program built through pkg-config natlas finds the United Kingdom" ||
    fail "the pkg-config consumer"

dpkg --purge lookwell libnatlas-dev libnatlas1 >>"$scratch/dpkg.log" 2>&1 &&
    [ ! -e /usr/bin/lookwell ] && [ -z "$(find /usr -name 'libnatlas*' -print -quit)" ] &&
    pass "dpkg --purge leaves nothing behind" || fail "removal"
[ "$failures" -eq 0 ]
