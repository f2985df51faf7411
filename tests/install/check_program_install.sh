#!/usr/bin/env bash
# Installs this build into a temporary prefix and checks the installed tree as
# a desktop and the dynamic loader see it: the program finds libnatlas through
# its relative RUNPATH and not without it, the desktop files validate, the
# theme icons are PNGs of their size, AppStream's compose makes a catalogue
# entry with icons of them, and the version is in the binary.
# Usage: check_program_install.sh BUILD_DIR BUILT_PROGRAM VERSION
set -euo pipefail
build=$1 built_program=$2 version=$3
app_id=org.example.Lookwell

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
pass() { echo "OK: $*"; }

cmake --install "$build" --prefix "$prefix" >"$work/install.log"
program=$prefix/bin/lookwell
[ -x "$program" ] || { echo "FAIL: bin/lookwell not installed" >&2; exit 1; }
library=$(find "$prefix" -name libnatlas.so.1 -print -quit)
[ -n "$library" ] || { echo "FAIL: libnatlas.so.1 not installed" >&2; exit 1; }
libdir=$(dirname "$library")

# The dynamic section: libnatlas by soname, found relative to the program.
dynamic=$(readelf -d "$program")
grep -q 'NEEDED.*\[libnatlas\.so\.1\]' <<<"$dynamic" && pass "NEEDED libnatlas.so.1" ||
    fail "libnatlas.so.1 is not NEEDED"
expected_runpath="\$ORIGIN/$(realpath --relative-to="$prefix/bin" "$libdir")"
runpath=$(sed -n 's/.*(RUNPATH).*\[\(.*\)\]/\1/p' <<<"$dynamic")
[ "$runpath" = "$expected_runpath" ] && pass "RUNPATH $runpath" ||
    fail "RUNPATH is '$runpath', not '$expected_runpath'"
grep -q '(RPATH)' <<<"$dynamic" && fail "an RPATH entry besides RUNPATH"
# The program in the build tree runs from there, with the built library.
built_library=$(env -u LD_LIBRARY_PATH ldd "$built_program" | sed -n 's/^\s*libnatlas\.so\.1 => \(\S*\).*/\1/p')
[[ "$(realpath "$built_library")" == "$(realpath "$build")"/* ]] &&
    pass "the built program uses the built libnatlas" ||
    fail "the built program resolves libnatlas.so.1 to '$built_library'"

# The loader's view, with nothing from the environment to help it.
resolved=$(env -u LD_LIBRARY_PATH ldd "$program" | sed -n 's/^\s*libnatlas\.so\.1 => \(\S*\).*/\1/p')
[ -n "$resolved" ] && [ "$(realpath "$resolved")" = "$(realpath "$library")" ] &&
    pass "ldd finds libnatlas.so.1 in the prefix" ||
    fail "ldd resolves libnatlas.so.1 to '$resolved', not to $library"

strings "$program" | grep -F "$version" >/dev/null && pass "version $version in the binary" ||
    fail "strings finds no $version in the binary"

desktop_entry=$prefix/share/applications/$app_id.desktop
metainfo=$prefix/share/metainfo/$app_id.metainfo.xml
desktop-file-validate "$desktop_entry" && pass "desktop-file-validate" ||
    fail "desktop-file-validate $desktop_entry"
appstreamcli validate --no-net "$metainfo" >"$work/appstream.log" 2>&1 &&
    pass "appstreamcli validate" || { cat "$work/appstream.log"; fail "appstreamcli validate"; }

png_size() { # the width and height from a PNG's IHDR chunk, or nothing
    local header
    header=$(od -An -tx1 -N24 "$1" | tr -d ' \n')
    [ "${header:0:16}" = 89504e470d0a1a0a ] || return 0
    echo "$((16#${header:32:8}))x$((16#${header:40:8}))"
}
for size in 16 24 32 48 64 128 256; do
    icon=$prefix/share/icons/hicolor/${size}x$size/apps/$app_id.png
    [ -f "$icon" ] && [ "$(png_size "$icon")" = "${size}x$size" ] && pass "${size}x$size icon" ||
        fail "no ${size}x$size PNG at $icon"
done
grep -q '<svg' "$prefix/share/icons/hicolor/scalable/apps/$app_id.svg" && pass "scalable icon" ||
    fail "no scalable SVG icon"

# What a software centre would list: compose's catalogue entry, with its icons.
compose=$work/compose
appstreamcli compose --no-color --prefix=/ --result-root="$compose" --origin=lookwell "$prefix" \
    >"$work/compose.log" 2>&1 || { cat "$work/compose.log"; fail "appstreamcli compose"; }
catalogue=$(find "$compose" -name '*.xml.gz' -print -quit)
entry=$( [ -n "$catalogue" ] && zcat "$catalogue" || true)
for expected in "<id>$app_id</id>" '<project_license>MIT</project_license>' \
    "<release type=\"stable\" version=\"$version\"" '<binary>lookwell</binary>' \
    "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" '<content_rating type="oars-1.1"'; do
    grep -qF "$expected" <<<"$entry" && pass "catalogue entry: $expected" ||
        fail "the catalogue entry lacks $expected"
done
for size in 64x64 128x128; do
    cached=$(find "$compose" -path "*icons*/$size/*.png" -print -quit)
    [ -n "$cached" ] && [ "$(png_size "$cached")" = "$size" ] && pass "catalogue icon $size" ||
        fail "no $size icon in the catalogue"
done
grep -qx "StartupWMClass=$(basename "$program")" "$desktop_entry" &&
    pass "StartupWMClass is the program's name, which Qt's WM_CLASS carries" || fail "StartupWMClass"

# Without the library the program must not start: the loader refuses it.
rm -f "$libdir"/libnatlas.so*
status=0
env -u LD_LIBRARY_PATH QT_QPA_PLATFORM=offscreen timeout 10 "$program" >"$work/run.log" 2>&1 ||
    status=$?
if [ "$status" -ne 0 ] && [ "$status" -ne 124 ] &&
    grep -q 'libnatlas\.so\.1: cannot open shared object file' "$work/run.log"; then
    pass "no start without libnatlas (exit $status)"
else
    cat "$work/run.log" >&2
    fail "without libnatlas the program exited $status"
fi

[ "$failures" -eq 0 ]
