#!/usr/bin/env bash
# Cross-builds natlas.dll for 32-bit Windows and checks what its callers and
# the platform see: exactly the eight decorated exports, an import library that
# binds a program to those names, no compiler runtime DLLs, and resources that
# are only the string table and the version record, in language 0x411.
# Usage: check_windows_build.sh SOURCE_ROOT EXPECTED_COUNTRIES_HEADER CONSUMER_SOURCE
# Exits 77 (skipped) when the mingw-w64 toolchain is not installed.
set -euo pipefail
root=$1 expected_header=$2 consumer=$3
triplet=i686-w64-mingw32

for tool in gcc g++ windres objdump; do
    if ! command -v "$triplet-$tool" >/dev/null; then
        echo "SKIP: $triplet-$tool not found (Debian: g++-mingw-w64-i686 binutils-mingw-w64-i686)"
        exit 77
    fi
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0
fail() { echo "FAIL: $*" >&2; failed=1; }
same() { # same LABEL EXPECTED ACTUAL
    if [ "$2" != "$3" ]; then
        fail "$1 differ:"
        diff <(echo "$2") <(echo "$3") >&2 || true
    fi
}

cmake -S "$root/natlas" -B "$work/build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DNATLAS_WERROR=ON \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchains/$triplet.cmake" >"$work/configure.log" ||
    { cat "$work/configure.log"; exit 1; }
cmake --build "$work/build" -j2 >"$work/build.log" || { cat "$work/build.log"; exit 1; }
dll=$work/build/natlas.dll
headers=$("$triplet-objdump" -p "$dll")

# Each row of the name table ends in the exported name; binutils 2.44 puts the
# ordinal's base and hint between the index and the name.
exports=$(echo "$headers" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p')
echo "$exports"
same "exports" "_NatlasGetBitnet@4
_NatlasGetCountryCode@4
_NatlasGetCountryName@8
_NatlasGetFidonet@4
_NatlasGetInet@4
_NatlasGetOSI@4
_NatlasGetUUCP@4
_NatlasGetVersion@0" "$(echo "$exports" | awk '/^[ \t]*\[ *[0-9]+\]/ {print $NF}' | sort)"

imported=$(echo "$headers" | sed -n 's/^\s*DLL Name: //p' | sort)
same "imported DLLs" "KERNEL32.dll
USER32.dll
msvcrt.dll" "$imported"

# Resource directory levels are told apart by indentation: type, name, language.
same "resource types (RT_STRING, RT_VERSION)" "0x000006
0x000010" "$(echo "$headers" | sed -n 's/^[0-9a-f]\+   Entry: ID: \(0x[0-9a-f]*\),.*/\1/p' | sort -u)"
same "resource languages" "0x000411" \
    "$(echo "$headers" | sed -n 's/^[0-9a-f]\+       Entry: ID: \(0x[0-9a-f]*\),.*/\1/p' | sort -u)"

resources=$("$triplet-windres" -i "$dll" -O rc)
same "LANGUAGE statements" "LANGUAGE 17, 1" "$(echo "$resources" | grep '^LANGUAGE' | sort -u)"

# Every string id is its country code; the expected names come from the test
# list, not from the library's sources.
expected_strings=$(sed -n 's/^ *{"\([A-Z]\)\([A-Z]\)", \(".*"\)},$/\1 \2 \3/p' "$expected_header" |
    while read -r first second name; do
        code=$(( ($(printf '%d' "'$first") - 65) * 32 + $(printf '%d' "'$second") - 65 ))
        echo "$code, $name"
    done)
[ "$(echo "$expected_strings" | wc -l)" -eq 177 ] || fail "expected list does not hold 177 rows"
same "string table" "$expected_strings" \
    "$(echo "$resources" | sed -n 's/^  \([0-9]\+, ".*"\)$/\1/p')"

version=$(echo "$resources" | sed -n '/VERSIONINFO/,$p')
echo "$version"
for line in ' FILEVERSION 1, 0, 0, 2' ' PRODUCTVERSION 1, 7, 0, 4' \
    '      VALUE "FileDescription", "Natlas mapping library"' \
    '      VALUE "FileVersion", "1.0.0.2"' '      VALUE "InternalName", "natlas"' \
    '      VALUE "OriginalFilename", "natlas.dll"' \
    '      VALUE "ProductName", "Lookwell for Winsock32"' \
    '      VALUE "ProductVersion", "1.7.0.4"' '    VALUE "Translation", 0x409, 1252'; do
    echo "$version" | grep -qxF -- "$line" || fail "version record lacks: $line"
done

# A program linked with the import library must import the decorated names
# (the last column: binutils 2.44 adds an ordinal column before the hint).
"$triplet-gcc" -Wall -Werror -I"$root/natlas/include" "$consumer" -L"$work/build" -lnatlas \
    -o "$work/consumer.exe"
imports=$("$triplet-objdump" -p "$work/consumer.exe" | sed -n '/DLL Name: natlas.dll/,/^$/p')
echo "$imports"
same "names the consumer imports from natlas.dll" "_NatlasGetCountryCode@4
_NatlasGetCountryName@8" "$(echo "$imports" | awk 'NR > 2 && NF >= 3 {print $NF}' | sort)"

[ $failed -eq 0 ] && echo "OK: natlas.dll exports, resources and import library"
exit $failed
