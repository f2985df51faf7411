#!/usr/bin/env bash
# Checks the Debian packages that scripts/build-packages.sh built: each
# package's files, the dependencies between them, the library's symbols and
# the binaries' hardening; then, inside a private mount namespace whose /usr,
# /etc and /var are throwaway overlays, runs their DEP-8 tests with autopkgtest
# and checks the manual pages and the removal.
# Usage: check_packages.sh DEB_DIR VERSION
set -euo pipefail
debs=$(realpath "$1") version=$2
here=$(dirname "$(realpath "$0")")
arch=$(dpkg-architecture -qDEB_HOST_ARCH)
multiarch=$(dpkg-architecture -qDEB_HOST_MULTIARCH)
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
pass() { echo "OK: $*"; }
deb() { echo "$debs/${1}_${version}_$arch.deb"; }

same_files() { # package, expected file list (files and links, no directories)
    local actual
    actual=$(dpkg-deb -c "$(deb "$1")" | awk '$1 !~ /^d/ {print $6}' | sed 's|^\./|/|' | sort)
    [ "$actual" = "$(sort <<<"$2")" ] && pass "$1 holds the expected files" ||
        fail "$1 files differ:$(diff <(sort <<<"$2") <(echo "$actual") | sed 's/^/\n  /')"
}

icons=$(for size in 16 24 32 48 64 128 256; do
    echo "/usr/share/icons/hicolor/${size}x$size/apps/org.example.Lookwell.png"
done)
same_files lookwell "/usr/bin/lookwell
/usr/share/applications/org.example.Lookwell.desktop
/usr/share/doc/lookwell/changelog.gz
/usr/share/doc/lookwell/copyright
$icons
/usr/share/icons/hicolor/scalable/apps/org.example.Lookwell.svg
/usr/share/man/man1/lookwell.1.gz
/usr/share/metainfo/org.example.Lookwell.metainfo.xml"
same_files libnatlas1 "/usr/lib/$multiarch/libnatlas.so.1
/usr/lib/$multiarch/libnatlas.so.1.0.0
/usr/share/doc/libnatlas1/changelog.gz
/usr/share/doc/libnatlas1/copyright
/usr/share/lintian/overrides/libnatlas1"
same_files libnatlas-dev "/usr/include/natlas.h
/usr/lib/$multiarch/cmake/natlas/natlasConfig.cmake
/usr/lib/$multiarch/cmake/natlas/natlasConfigVersion.cmake
/usr/lib/$multiarch/cmake/natlas/natlasTargets-release.cmake
/usr/lib/$multiarch/cmake/natlas/natlasTargets.cmake
/usr/lib/$multiarch/libnatlas.so
/usr/lib/$multiarch/pkgconfig/natlas.pc
/usr/share/doc/libnatlas-dev/changelog.gz
/usr/share/doc/libnatlas-dev/copyright
/usr/share/man/man3/natlas.3.gz"

depends_on() { # package, dependency as dpkg-deb prints it
    dpkg-deb -f "$(deb "$1")" Depends | tr ',' '\n' | sed 's/^ *//' | grep -qxF "$2" &&
        pass "$1 depends on $2" || fail "$1 does not depend on $2"
}
depends_on lookwell "libnatlas1 (>= $version)"
depends_on lookwell qt6-qpa-plugins
depends_on libnatlas-dev "libnatlas1 (= $version)"

symbols=$(dpkg-deb --info "$(deb libnatlas1)" symbols | sed -n 's/^ \(Natlas[A-Za-z]*\)@Base .*/\1/p')
[ "$symbols" = "$(printf '%s\n' NatlasGet{Bitnet,CountryCode,CountryName,Fidonet,Inet,OSI,UUCP,Version})" ] &&
    pass "the symbols file lists the eight exports" || fail "symbols file lists: $symbols"

# What the binaries show: PIE, stack protector, fortify, RELRO and BIND_NOW.
# Two rows prove nothing here: control flow protection (IBT and SHSTK) marks a
# binary only when every object linked in has it, and Debian's C start files
# have not (Debian 13's own /usr/bin/ls shows none), so the build log below
# shows -fcf-protection on every compile instead; branch protection is arm64's.
# libnatlas keeps no buffer on its stack, so it gets no canary: it calls
# nothing at all.
buildflags=$(DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get CXXFLAGS)
checks=(--nocfprotection)
options=$(hardening-check --help 2>&1 || true)
[ "$arch" = arm64 ] || [[ $options != *--nobranchprotection* ]] || checks+=(--nobranchprotection)
binaries=$(mktemp -d)
trap 'rm -rf "$binaries"' EXIT
dpkg-deb -x "$(deb lookwell)" "$binaries" && dpkg-deb -x "$(deb libnatlas1)" "$binaries"
library=$binaries/usr/lib/$multiarch/libnatlas.so.1
hardening-check "${checks[@]}" "$binaries/usr/bin/lookwell" && pass "lookwell is hardened" ||
    fail "lookwell's hardening"
hardening-check "${checks[@]}" --nostackprotector "$library" &&
    [ -z "$(nm -D -u "$library" | awk '$1 == "U"')" ] && pass "libnatlas is hardened" ||
    fail "libnatlas's hardening"

# What the binaries cannot show: that every compile had the -f hardening flags
# of dpkg-buildflags (stack clash protection leaves a trace only in a frame
# larger than a page) and fortify at level 3, which hardening-check takes for
# level 2.
compiles=$(grep -E -- ' -c \S+\.(c|cpp)$' "$debs/build.log" || true)
unhardened=$(while read -r line; do
    for flag in $(tr ' ' '\n' <<<"$buildflags" | grep -E '^-f(stack|cf)-'); do
        [[ " $line " == *" $flag "* ]] || echo "no $flag: ${line##* }"
    done
    [ "$(grep -oE -- '-[DU]_FORTIFY_SOURCE(=[0-9])?' <<<"$line" | tail -n 1)" = -D_FORTIFY_SOURCE=3 ] ||
        echo "not fortify level 3: ${line##* }"
done <<<"$compiles")
[ -n "$compiles" ] && [ -z "$unhardened" ] &&
    pass "$(wc -l <<<"$compiles") compiles with the hardening flags and fortify level 3" ||
    fail "compiles without hardening:${unhardened:- none found in the build log}"

# Installed for real, in a namespace of its own: what dpkg writes lands in
# overlays that vanish with the namespace.
if ! unshare --mount --fork true 2>/dev/null; then
    echo "SKIP: installing needs root for a private mount namespace"
    [ "$failures" -eq 0 ] && exit 77 || exit 1
fi
scratch=$(mktemp -d)
trap 'rm -rf "$binaries" "$scratch"' EXIT
status=0
unshare --mount --propagation private --fork \
    "$here/installed_packages_check.sh" "$(deb lookwell)" "$(deb libnatlas1)" \
    "$(deb libnatlas-dev)" "$debs/lookwell_$version.dsc" "$scratch" || status=$?
[ "$status" -eq 0 ] || fail "the installed packages"
[ "$failures" -eq 0 ]
