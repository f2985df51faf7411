#!/usr/bin/env bash
# Builds the source package (format 3.0 (native)) and from the same tree the
# Debian packages lookwell, libnatlas1 and libnatlas-dev into build/deb, and
# runs lintian on them all (its report goes to build/deb/lintian.txt; any error
# or warning fails). The package is built from a copy of the source
# tree, so the checkout itself stays clean.
set -euo pipefail
cd "$(dirname "$0")/.."
out=$PWD/build/deb
version=$(dpkg-parsechangelog -S Version)
source_copy=$out/lookwell-$version

rm -rf "$out"
mkdir -p "$source_copy"
# Tracked files and new ones not ignored: what a clean clone would hold, plus
# work not yet committed.
git ls-files -z --cached --others --exclude-standard |
    xargs -0 -r sh -c 'for f; do [ -e "$f" ] && printf "%s\0" "$f"; done' sh |
    tar --null -T - -cf - | tar -xf - -C "$source_copy"

cd "$source_copy"
dpkg-checkbuilddeps
# On every core, and without the debug-symbol packages, which nothing here uses.
export DEB_BUILD_OPTIONS="noddebs ${DEB_BUILD_OPTIONS:-}"
dpkg-buildpackage -S -us -uc >"$out/source.log" 2>&1 || { tail -n 40 "$out/source.log" >&2; exit 1; }
dpkg-buildpackage -b -us -uc -J"$(nproc)" >"$out/build.log" 2>&1 || { tail -n 40 "$out/build.log" >&2; exit 1; }

cd "$out"
lintian_status=0
# The glob takes the source package's .changes and the binary packages' alike.
lintian --fail-on error,warning --display-info lookwell_"$version"_*.changes >lintian.txt 2>&1 ||
    lintian_status=$?
echo "lintian lookwell_${version}_*.changes:"
if [ -s lintian.txt ]; then cat lintian.txt; else echo "(no tags)"; fi
exit "$lintian_status"
