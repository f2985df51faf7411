#!/usr/bin/env bash
# Run by check_packages.sh inside a private mount namespace: covers /usr, /etc
# and /var with throwaway overlays, runs the DEP-8 tests (debian/tests) with
# autopkgtest, which installs the packages and logs beside them, checks what
# those tests cannot say, then removes the packages again.
# Usage: installed_packages_check.sh LOOKWELL_DEB LIBNATLAS1_DEB LIBNATLAS_DEV_DEB DSC SCRATCH_DIR
set -euo pipefail
lookwell_deb=$1 library_deb=$2 dev_deb=$3 dsc=$4 scratch=$5 out=${4%/*}
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
pass() { echo "OK: $*"; }

mount -t tmpfs lookwell-packages "$scratch"
for dir in usr etc var; do
    mkdir "$scratch/$dir.upper" "$scratch/$dir.work"
    mount -t overlay overlay \
        -o "lowerdir=/$dir,upperdir=$scratch/$dir.upper,workdir=$scratch/$dir.work" "/$dir"
done
# apt sees only the packages under test and what is installed: quick, offline,
# and a test dependency missing from install-deps.sh fails here.
rm -rf /etc/apt/sources.list /etc/apt/sources.list.d/* /var/lib/apt/lists/*

status=0
autopkgtest --summary-file="$out/autopkgtest-summary.txt" --log-file="$out/autopkgtest.log" \
    "$dsc" "$library_deb" "$dev_deb" "$lookwell_deb" -- null >/dev/null 2>&1 || status=$?
sed 's/^/autopkgtest: /' "$out/autopkgtest-summary.txt" 2>/dev/null || true
[ "$status" -eq 0 ] && pass "autopkgtest: the DEP-8 tests pass on the installed packages" ||
    { tail -n 40 "$out/autopkgtest.log" >&2; fail "autopkgtest exit $status (log: $out/autopkgtest.log)"; }
man -w lookwell >/dev/null && man -w 3 natlas >/dev/null && pass "man lookwell, man 3 natlas" ||
    fail "the manual pages are not found"

[ -e /usr/bin/lookwell ] && dpkg --purge lookwell libnatlas-dev libnatlas1 >"$scratch/dpkg.log" 2>&1 &&
    [ ! -e /usr/bin/lookwell ] && [ -z "$(find /usr -name 'libnatlas*' -print -quit)" ] &&
    pass "dpkg --purge leaves nothing behind" || fail "removal"
[ "$failures" -eq 0 ]
