#!/usr/bin/env bash
# Runs the README's test command on a clean system of another Debian release,
# in a container: a clone of this repository's HEAD on a minimal base system
# from Debian's archive, unpacked afresh for every run. The base and the
# packages the run downloads are kept in /var/cache/lookwell (or
# LOOKWELL_RELEASE_CACHE), so a second run downloads nothing again.
# Usage: check-debian-release.sh [RELEASE]   (default: trixie; needs root)
set -euo pipefail
release=${1:-trixie}
cd "$(dirname "$0")/.."
scripts/install-deps.sh release-container
cache=${LOOKWELL_RELEASE_CACHE:-/var/cache/lookwell}
base=$cache/$release-base.tar
archives=$cache/$release-apt
mkdir -p "$archives"

if [ ! -s "$base" ]; then
    echo "Making a $release base system from Debian's archive"
    # git, as on any machine that cloned the repository.
    mmdebstrap --quiet --format=tar --variant=minbase --include=ca-certificates,git \
        "$release" "$base.partial" http://deb.debian.org/debian
    mv "$base.partial" "$base"
fi

root=$(mktemp -d "/var/tmp/lookwell-$release.XXXXXX")
trap 'rm -rf "$root"' EXIT
tar -xf "$base" -C "$root"
# debootstrap leaves no hosts file, and the tests look up localhost.
printf '127.0.0.1\tlocalhost\n::1\tlocalhost ip6-localhost ip6-loopback\n' >"$root/etc/hosts"
echo 'Binary::apt::APT::Keep-Downloaded-Packages "true";' >"$root/etc/apt/apt.conf.d/90keep"
chmod 755 "$root" # mktemp made it private, and some tests run as nobody
git clone --quiet --no-hardlinks . "$root/srv/lookwell"

# systemd-nspawn keeps state under /run, which it requires to be a tmpfs; a
# machine that does not boot with systemd may not have one there.
mkdir -p /run/systemd/nspawn
[ "$(stat -f -c %T /run/systemd/nspawn)" = tmpfs ] || mount -t tmpfs tmpfs /run/systemd/nspawn

echo "=== Debian $release: scripts/test.sh in a container"
start=$SECONDS
# Every capability: the tests make network namespaces of their own.
nspawn=(systemd-nspawn --quiet --keep-unit --register=no --capability=all --pipe
    --directory="$root" --bind="$archives:/var/cache/apt/archives" --setenv=CI="${CI:-}"
    --chdir=/srv/lookwell)
# The packages come from Debian's archive; the tests then run with a loopback
# device alone, which also keeps their X servers' abstract sockets apart from
# any of the host's.
"${nspawn[@]}" scripts/install-deps.sh test </dev/null
"${nspawn[@]}" --private-network scripts/test.sh </dev/null
echo "=== Debian $release: passed in $((SECONDS - start)) s"
