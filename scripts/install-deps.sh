#!/usr/bin/env bash
# Installs the Debian packages that Lookwell needs and this machine lacks.
# Usage: install-deps.sh GROUP
#   run              build and start on a display
#   wayland          start on a Wayland display without X11
#   virtual-display  start where there is no display: Xvfb, a window manager, VNC
#   test             all of the above and every test
#   release-container  test on another Debian release in a container
# Safe to run again: when nothing is missing it touches nothing.
set -euo pipefail

run_packages=(
    cmake ninja-build g++ pkgconf librsvg2-bin
    qt6-base-dev qt6-qpa-plugins libgl-dev libidn2-dev fonts-ipafont-gothic
    x11-utils
)
wayland_packages=(qt6-wayland)
virtual_display_packages=(xvfb xauth openbox x11vnc dbus-daemon)
test_packages=(
    libgtest-dev libgmock-dev libbenchmark-dev
    python3 python3-dnslib iproute2 util-linux
    g++-mingw-w64-i686 binutils-mingw-w64-i686
    xdotool xclip x11-xserver-utils dbus at-spi2-core python3-pyatspi
    desktop-file-utils appstream appstream-compose librsvg2-common clang-format shellcheck
    man-db groff-base
    build-essential debhelper dpkg-dev fakeroot lintian python3-cryptography
    clang libclang-rt-dev valgrind
    autopkgtest devscripts diffoscope-minimal faketime libglib2.0-bin
    dbus-x11 sway wtype wl-clipboard grim
)
release_container_packages=(mmdebstrap systemd-container)

case "${1:-}" in
    run) wanted=("${run_packages[@]}") ;;
    wayland) wanted=("${wayland_packages[@]}") ;;
    virtual-display) wanted=("${virtual_display_packages[@]}") ;;
    release-container) wanted=("${release_container_packages[@]}") ;;
    test)
        wanted=("${run_packages[@]}" "${wayland_packages[@]}" "${virtual_display_packages[@]}"
            "${test_packages[@]}")
        ;;
    *) echo "usage: $0 run|wayland|virtual-display|test|release-container" >&2; exit 2 ;;
esac

missing=()
for package in "${wanted[@]}"; do
    status=$(dpkg-query -W -f='${db:Status-Status}' "$package" 2>/dev/null || true)
    [ "$status" = installed ] || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing missing packages: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
install=(apt-get install -y -qq --no-install-recommends "${missing[@]}")
if [ "$(id -u)" -eq 0 ]; then
    apt-get update -qq
    "${install[@]}"
elif ! { command -v sudo >/dev/null && sudo apt-get update -qq && sudo "${install[@]}"; }; then
    echo "Installing them needs root: ask an administrator to run  apt-get install --no-install-recommends ${missing[*]}" >&2
    exit 1
fi
