#!/usr/bin/env bash
# Every place that states a version against the values CMake holds
# (cmake/Version.cmake): debian/changelog, the AppStream release, the manual
# pages, the program's --version and version record, natlas's version word,
# soname and pkg-config file, and the Debian symbols file. Any disagreement fails.
# Usage: check_versions.sh SOURCE_DIR BUILD_DIR PROGRAM LIBRARY VERSION PRODUCT_VERSION
#        BUILD_NUMBER RELEASE_DATE NATLAS_VERSION
set -euo pipefail
source_dir=$1 build=$2 program=$3 library=$4
version=$5 product_version=$6 build_number=$7 release_date=$8 natlas_version=$9
failures=0
same() { # what, expected, actual
    if [ "$2" = "$3" ]; then echo "OK: $1 is $2"; else
        echo "FAIL: $1 is '$3', CMake says '$2'" >&2
        failures=$((failures + 1))
    fi
}

same "the build number" "${version##*.}" "$build_number"

changelog=$source_dir/debian/changelog
same "debian/changelog's version" "$version" "$(dpkg-parsechangelog -l "$changelog" -S Version)"
same "debian/changelog's date" "$release_date" \
    "$(date -u -d "$(dpkg-parsechangelog -l "$changelog" -S Date)" +%F)"
while read -r minimum; do
    dpkg --compare-versions "$minimum" le "$version" ||
        same "a symbol's minimum version in libnatlas1.symbols" "<= $version" "$minimum"
done < <(sed -n 's/^ Natlas[A-Za-z]*@Base \(.*\)$/\1/p' "$source_dir/debian/libnatlas1.symbols")

metainfo=$build/resources/org.example.Lookwell.metainfo.xml
release=$(grep -m1 -o '<release [^>]*>' "$metainfo")
same "the AppStream release" "version=\"$version\" date=\"$release_date\"" \
    "$(sed -E 's/<release (.*)>/\1/' <<<"$release")"

same "lookwell.1's title line" ".TH LOOKWELL 1 $release_date \"Lookwell $version\" \"User Commands\"" \
    "$(head -1 "$build/docs/man/lookwell.1")"
same "natlas.3's title line" \
    ".TH NATLAS 3 $release_date \"natlas $natlas_version\" \"Library Functions Manual\"" \
    "$(head -1 "$build/docs/man/natlas.3")"

same "lookwell --version" "lookwell $version" "$(env -u DISPLAY "$program" --version)"
record="FileVersion $version; ProductVersion $product_version;"
same "the version record in the program" "$record" \
    "$(strings "$program" | grep -o "FileVersion [^;]*; ProductVersion [^;]*;" | sort -u || true)"

IFS=. read -r major minor patch _ <<<"$natlas_version"
same "NatlasGetVersion()" "$(((major << 8) | minor))" \
    "$(python3 -c 'import ctypes, sys; print(ctypes.CDLL(sys.argv[1]).NatlasGetVersion())' "$library")"
same "libnatlas's file name" "libnatlas.so.$major.$minor.$patch" "$(basename "$(realpath "$library")")"
same "natlas.pc's version" "Version: $major.$minor.$patch" "$(grep '^Version:' "$build/natlas/natlas.pc")"

[ "$failures" -eq 0 ]
