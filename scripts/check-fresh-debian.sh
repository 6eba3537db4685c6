#!/bin/bash
# Runs the test command on a bare Debian 12, as a new machine or a container
# would: a minimal debootstrap tree, a clean clone of this repository's HEAD,
# no locale, nothing preinstalled but what debootstrap puts there.
# Usage (as root): scripts/check-fresh-debian.sh [TREE]
#   TREE defaults to build/fresh-debian; a tree made earlier is reused as it
#   is, so remove it for a truly fresh run.
set -eu
cd "$(dirname "$0")/.."
. scripts/debian-chroot.sh
ROOT=$(pwd)
TREE=$(realpath -m "${1:-build/fresh-debian}")
[ "$(id -u)" -eq 0 ] || { echo "debootstrap and chroot need root" >&2; exit 2; }

make_debian_tree "$TREE"
trap unmount_system_folders EXIT
mount_system_folders "$TREE"

rm -rf "$TREE/src/wordoria"
mkdir -p "$TREE/src"
git clone -q "$ROOT" "$TREE/src/wordoria"

chroot "$TREE" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root \
    bash -c 'cd /src/wordoria && bash .ci/run'
