#!/usr/bin/env bash
# Debian's reproducible-builds rule: unpacks the source package that
# scripts/build-packages.sh made into another, longer path, builds the binary
# packages from it again with another umask, locale, time zone, clock, home,
# kernel version and (as root) host name, and checks that each .deb is bit for
# bit the one in build/deb. What differs goes to
# build/deb-again/NAME.diffoscope.txt. reprotest varies the same and more, but
# builds twice where this reuses the packages already built and checked.
set -euo pipefail
cd "$(dirname "$0")/.."
first=$PWD/build/deb
version=$(dpkg-parsechangelog -S Version)
again=$PWD/build/deb-again
tree=$again/from-the-source-package/lookwell-$version

rm -rf "$again"
mkdir -p "$(dirname "$tree")"
dpkg-source -q -x "$first/lookwell_$version.dsc" "$tree" >/dev/null
cd "$tree"
# Whatever the first build had, the other one: umask and character set.
if [ "$(umask)" = 0022 ]; then umask 0002; else umask 0022; fi
if [ "$(locale charmap)" = UTF-8 ]; then locale=C; else locale=C.UTF-8; fi
# A host name of its own needs a UTS namespace, which only root may make.
elsewhere=()
if unshare --uts true 2>/dev/null; then
    elsewhere=(unshare --uts sh -c 'hostname lookwell-again.example && exec "$@"' sh)
fi
mkdir "$again/home"
# UTC+14 needs no time-zone data; the clock runs 400 days ahead (file times
# stay true, so the build's own dependency checks are not fooled).
env -u LANG -u LANGUAGE LC_ALL=$locale TZ=LWT-14 NO_FAKE_STAT=1 HOME="$again/home" \
    DEB_BUILD_OPTIONS="noddebs ${DEB_BUILD_OPTIONS:-}" \
    "${elsewhere[@]}" setarch "$(uname -m)" --uname-2.6 \
    faketime -f +400d dpkg-buildpackage -b -us -uc -J"$(nproc)" >"$again/build.log" 2>&1 ||
    { tail -n 40 "$again/build.log" >&2; exit 1; }

status=0
for deb in "$first"/*.deb; do
    name=$(basename "$deb")
    if cmp -s "$deb" "$(dirname "$tree")/$name"; then
        echo "reproducible: $name"
    else
        echo "NOT reproducible: $name (see $again/$name.diffoscope.txt)" >&2
        diffoscope --text "$again/$name.diffoscope.txt" "$deb" "$(dirname "$tree")/$name" >/dev/null || true
        status=1
    fi
done
exit "$status"
