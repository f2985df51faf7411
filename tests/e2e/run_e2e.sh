#!/usr/bin/env bash
# The end-to-end suite: installs this build into a prefix inside the build
# tree and drives the installed program on a private X display, against the
# scripted DNS server, inside a throwaway namespace. Exits 77 when a tool or a
# namespace is missing.
# Usage: run_e2e.sh BUILD_DIR WORK_DIR [wayland]
#   wayland: the same cases on a headless sway, as an unprivileged user.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source_root=$(cd "$here/../.." && pwd)

build=$(cd "$1" && pwd) work=$2 platform=${3:-x11}
tools=(Xvfb xdotool xclip)
[ "$platform" = x11 ] || tools=(sway swaymsg wtype wl-copy wl-paste setpriv)
for tool in "${tools[@]}" dbus-run-session dbus-send /usr/libexec/at-spi-bus-launcher; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null ||
    { echo "SKIP: python3-pyatspi is not installed"; exit 77; }

rm -rf "$work"
mkdir -p "$work"
cmake --install "$build" --prefix "$work/prefix" >"$work/install.log"
[ "$platform" = x11 ] || chown -R nobody:nogroup "$work"

# A short resolver timeout keeps the unanswered case quick; the case that
# watches the pending title gives its program a long one of its own.
export LOOKWELL_DNS_TIMEOUT=2 LOOKWELL_DNS_LIFETIME=600
exec "$source_root/tests/support/dns/run_with_dns_server.sh" "$here/in_private_session.sh" \
    /usr/bin/python3 "$here/lookwell_e2e.py" "$work/prefix/bin/lookwell" "$work" "$platform"
