#!/bin/bash
# Runs the test command on a bare Debian 12, as a new machine or a container
# would: a minimal debootstrap tree, a clean clone of this repository's HEAD,
# no locale, nothing preinstalled but what debootstrap puts there.
# Usage (as root): scripts/check-fresh-debian.sh [TREE]
#   TREE defaults to build/fresh-debian; a tree made earlier is reused as it
#   is, so remove it for a truly fresh run.
set -eu
cd "$(dirname "$0")/.."
ROOT=$(pwd)
TREE=$(realpath -m "${1:-build/fresh-debian}")
[ "$(id -u)" -eq 0 ] || { echo "debootstrap and chroot need root" >&2; exit 2; }

if [ ! -x "$TREE/usr/bin/env" ]; then
    command -v debootstrap >/dev/null || apt-get install -y --no-install-recommends debootstrap
    debootstrap --variant=minbase bookworm "$TREE"
fi

mounted=()
unmount_all() {
    local i
    for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do umount -l "${mounted[i]}" 2>/dev/null || true; done
}
trap unmount_all EXIT
for fs in proc sys dev dev/pts dev/shm; do
    mkdir -p "$TREE/$fs"
    mount --bind "/$fs" "$TREE/$fs"
    mounted+=("$TREE/$fs")
done
cp /etc/resolv.conf "$TREE/etc/resolv.conf" 2>/dev/null || true

rm -rf "$TREE/src/wordoria"
mkdir -p "$TREE/src"
git clone -q "$ROOT" "$TREE/src/wordoria"

chroot "$TREE" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root \
    bash -c 'cd /src/wordoria && bash .ci/run'
