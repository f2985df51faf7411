#!/usr/bin/env bash
# The shared library exports exactly the eight operations, carries soname
# libnatlas.so.1 and needs nothing but libc (sanitizer runtimes aside).
# Usage: check_linux_exports.sh LIBRARY
set -euo pipefail
library=$1

expected="NatlasGetBitnet
NatlasGetCountryCode
NatlasGetCountryName
NatlasGetFidonet
NatlasGetInet
NatlasGetOSI
NatlasGetUUCP
NatlasGetVersion"

echo "nm -D --defined-only $library:"
nm -D --defined-only "$library"
exported=$(nm -D --defined-only "$library" | awk '{print $NF}' | sort)
if [ "$exported" != "$expected" ]; then
    echo "FAIL: exported names differ from the eight operations:" >&2
    diff <(echo "$expected") <(echo "$exported") >&2 || true
    exit 1
fi

dynamic=$(readelf -d "$library")
echo "$dynamic" | grep -E 'SONAME|NEEDED'
if ! echo "$dynamic" | grep -q 'Library soname: \[libnatlas\.so\.1\]'; then
    echo "FAIL: soname is not libnatlas.so.1" >&2
    exit 1
fi
unexpected=$(echo "$dynamic" | sed -n 's/.*Shared library: \[\(.*\)\]/\1/p' |
    grep -Ev '^(libc\.so\.6|lib(a|ub|t)san\.so\.[0-9]+)$' || true)
if [ -n "$unexpected" ]; then
    echo "FAIL: needs libraries besides libc: $unexpected" >&2
    exit 1
fi
echo "OK: eight exports, soname libnatlas.so.1, libc only"
