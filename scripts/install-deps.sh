#!/usr/bin/env bash
# Installs the Debian packages that Lookwell needs and this machine lacks.
# Usage: install-deps.sh run|test   (run: build and start; test: also every test)
# Safe to run again: when nothing is missing it touches nothing.
set -euo pipefail

build_packages=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-qpa-plugins libgl-dev fonts-ipafont-gothic
    xvfb xauth x11vnc qt6-wayland
)
test_packages=(
    libgtest-dev libgmock-dev libbenchmark-dev
    python3 python3-dnslib iproute2 util-linux
    g++-mingw-w64-i686 binutils-mingw-w64-i686
    xdotool xclip dbus at-spi2-core python3-pyatspi
    desktop-file-utils appstream
    clang-14 libfuzzer-14-dev libclang-rt-14-dev
)

case "${1:-}" in
    run) wanted=("${build_packages[@]}") ;;
    test) wanted=("${build_packages[@]}" "${test_packages[@]}") ;;
    *) echo "usage: $0 run|test" >&2; exit 2 ;;
esac

missing=()
for package in "${wanted[@]}"; do
    status=$(dpkg-query -W -f='${db:Status-Status}' "$package" 2>/dev/null || true)
    [ "$status" = installed ] || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing missing packages: ${missing[*]}"
sudo=()
if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || { echo "Need root or sudo to install: ${missing[*]}" >&2; exit 1; }
    sudo=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
