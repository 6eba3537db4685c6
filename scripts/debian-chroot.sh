# Sourced by the scripts that check Wordoria on a bare Debian 12 made by
# debootstrap (check-fresh-debian.sh, check-package-install.sh); they run as
# root. Bash only.

# make_debian_tree TREE: a minimal bookworm in TREE, unless one is there.
make_debian_tree() {
    [ -x "$1/usr/bin/env" ] && return 0
    if ! command -v debootstrap >/dev/null; then
        apt-get install -y --no-install-recommends debootstrap ||
            { apt-get update && apt-get install -y --no-install-recommends debootstrap; }
    fi
    debootstrap --variant=minbase bookworm "$1"
}

# mount_system_folders TREE: the host's proc, sys and dev inside TREE, and
# its name servers for apt. unmount_system_folders undoes the mounts, last
# first; call it from an EXIT trap so that it runs however the script ends.
system_mounts=()
mount_system_folders() {
    local fs
    for fs in proc sys dev dev/pts dev/shm; do
        mkdir -p "$1/$fs"
        mount --bind "/$fs" "$1/$fs"
        system_mounts+=("$1/$fs")
    done
    cp /etc/resolv.conf "$1/etc/resolv.conf" 2>/dev/null || true
}
unmount_system_folders() {
    local i
    for ((i = ${#system_mounts[@]} - 1; i >= 0; i--)); do umount -l "${system_mounts[i]}" 2>/dev/null || true; done
    system_mounts=()
}

# mounts_under TREE: prints what is still mounted inside TREE (nothing once
# unmount_system_folders has run), so that a removal never reaches the host.
mounts_under() {
    local tree
    tree=$(realpath -m "$1")
    awk -v tree="$tree" '$2 == tree || index($2, tree "/") == 1 {print $2}' /proc/self/mounts
}

# end_processes_in TREE: ends every process whose root is TREE (what the
# checks started in it), by its id.
end_processes_in() {
    local tree proc pid
    tree=$(realpath -m "$1")
    for proc in /proc/[0-9]*; do
        pid=${proc#/proc/}
        [ "$(readlink "$proc/root" 2>/dev/null)" = "$tree" ] && kill "$pid" 2>/dev/null
    done
    return 0
}
