#!/usr/bin/env bash
# Installs natlas from a build tree into a temporary prefix and builds a small C
# program against the installed files twice, once through pkg-config and once
# through find_package(natlas); each must print "Japan" for "JP".
# Usage: check_install.sh BUILD_DIR CONSUMER_DIR [SANITIZE_LIST]
set -euo pipefail
build=$1 consumer=$2 sanitize=${3:-}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix

# An instrumented library needs an instrumented program to load it.
flags=()
[ -n "$sanitize" ] && flags=("-fsanitize=$sanitize")

cmake --install "$build" --prefix "$prefix" --component natlas >"$work/install.log"
[ -f "$prefix/include/natlas.h" ] || { echo "FAIL: include/natlas.h not installed" >&2; exit 1; }
libdir=$(dirname "$(find "$prefix" -name 'libnatlas.so.1' -print -quit)")
for link in libnatlas.so libnatlas.so.1; do
    [ -L "$libdir/$link" ] || { echo "FAIL: $link is not a link in $libdir" >&2; exit 1; }
done

expect_japan() { # expect_japan LABEL PROGRAM
    local output
    output=$("$2" JP)
    if [ "$output" != "Japan" ]; then
        echo "FAIL: $1 consumer printed '$output' for JP" >&2
        exit 1
    fi
    echo "OK: $1 consumer prints Japan"
}

pc_path=$(dirname "$(find "$prefix" -name natlas.pc -print -quit)")
pc_flags=$(PKG_CONFIG_PATH=$pc_path pkg-config --cflags --libs natlas)
echo "pkg-config --cflags --libs natlas: $pc_flags"
# shellcheck disable=SC2086 # the flags are words
cc -Wall -Werror "${flags[@]}" "$consumer/natlas_consumer.c" $pc_flags -Wl,-rpath,"$libdir" \
    -o "$work/pkgconfig_consumer"
expect_japan pkg-config "$work/pkgconfig_consumer"

cmake -S "$consumer" -B "$work/cmake_consumer" -G Ninja -DCMAKE_PREFIX_PATH="$prefix" \
    -DCMAKE_C_FLAGS="${flags[*]}" -DCMAKE_EXE_LINKER_FLAGS="${flags[*]}" >"$work/configure.log" ||
    { cat "$work/configure.log"; exit 1; }
cmake --build "$work/cmake_consumer" >"$work/build.log" || { cat "$work/build.log"; exit 1; }
expect_japan find_package "$work/cmake_consumer/natlas_consumer"
