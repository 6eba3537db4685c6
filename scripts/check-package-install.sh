#!/bin/bash
# Installs the Debian package on a bare Debian 12, as a user would with apt,
# and starts it as a desktop would: a fresh minimal debootstrap tree, the
# package installed there by apt-get with what its Depends pull in (and
# xvfb and xdotool for the check), then, as an ordinary user with no locale,
# the installed /usr/bin/wordoria-launch under xvfb-run must open the
# Wordoria window and make the DATA tree in ~/.local/share/wordoria.
# Usage (as root): scripts/check-package-install.sh [--keep] TREE [DEB]
#   TREE must not exist (for example /work/chroot/package); it is removed at
#   the end unless --keep is given. DEB defaults to the package in
#   build/linux (tests/install/package_test.sh or cpack makes it there).
set -eu
cd "$(dirname "$0")/.."
. scripts/debian-chroot.sh

KEEP=no
if [ "${1:-}" = "--keep" ]; then KEEP=yes; shift; fi
[ $# -ge 1 ] || { sed -n 's/^# Usage: /usage: /p' "$0" >&2; exit 2; }
TREE=$(realpath -m "$1")
if [ $# -ge 2 ]; then
    DEB=$(realpath "$2")
else
    DEB=$(ls build/linux/wordoria_*_amd64.deb 2>/dev/null | tail -n 1)
fi
[ "$(id -u)" -eq 0 ] || { echo "debootstrap and chroot need root" >&2; exit 2; }
[ -n "$DEB" ] && [ -f "$DEB" ] || { echo "no package: make it with tests/install/package_test.sh build/linux" >&2; exit 2; }
[ ! -e "$TREE" ] || { echo "$TREE exists: the check needs a fresh tree" >&2; exit 2; }

clean_up() {
    local status=$?
    end_processes_in "$TREE"
    sleep 1
    unmount_system_folders
    if [ -n "$(mounts_under "$TREE")" ]; then
        echo "still mounted in $TREE, left as it is: $(mounts_under "$TREE" | tr '\n' ' ')" >&2
    elif [ "$KEEP" = no ]; then
        rm -rf "$TREE"
    fi
    exit $status
}
trap clean_up EXIT
trap 'exit 1' INT TERM HUP

echo "== A minimal Debian 12 in $TREE"
mkdir -p "$(dirname "$TREE")"
make_debian_tree "$TREE" >"$TREE.debootstrap.log" 2>&1 ||
    { tail -n 20 "$TREE.debootstrap.log" >&2; rm -f "$TREE.debootstrap.log"; exit 1; }
rm -f "$TREE.debootstrap.log"
mount_system_folders "$TREE"

in_tree() { chroot "$TREE" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root "$@"; }

echo "== apt-get install ./$(basename "$DEB") xvfb xdotool"
mkdir -p "$TREE/tmp/package"
cp "$DEB" "$TREE/tmp/package/"
in_tree DEBIAN_FRONTEND=noninteractive bash -c \
    'cd /tmp/package && apt-get update -q && apt-get install -y -q ./wordoria_*.deb xvfb xdotool' \
    >"$TREE/tmp/apt.log" 2>&1 || { tail -n 30 "$TREE/tmp/apt.log" >&2; echo "FAIL: apt-get could not install the package" >&2; exit 1; }
grep -E '^(Setting up|Unpacking) wordoria ' "$TREE/tmp/apt.log" || true
in_tree dpkg-query -W -f='${Package} ${Version} ${Status}\n' wordoria

# The user's first start, run under xvfb-run inside the tree.
cat >"$TREE/tmp/first-start.sh" <<'EOF'
#!/bin/sh
set -u
fail() { echo "FAIL: $*" >&2; kill "$PID" 2>/dev/null; exit 1; }
/usr/bin/wordoria-launch >"$HOME/launch.log" 2>&1 &
PID=$!
WINDOW=""
i=0
while [ $i -lt 300 ]; do
    WINDOW=$(xdotool search --onlyvisible --name '^Wordoria$' 2>/dev/null | head -n 1)
    [ -n "$WINDOW" ] && break
    kill -0 "$PID" 2>/dev/null || { cat "$HOME/launch.log" >&2; fail "the launcher ended without a window"; }
    sleep 0.1
    i=$((i + 1))
done
[ -n "$WINDOW" ] || { cat "$HOME/launch.log" >&2; fail "no window titled Wordoria in 30 seconds"; }
echo "window $WINDOW: $(xdotool getwindowname "$WINDOW"), $(xdotool getwindowgeometry "$WINDOW" | sed -n 's/^ *Geometry: //p')"
# The launcher execs the program: the window is the launched process's.
[ "$(xdotool getwindowpid "$WINDOW")" = "$PID" ] || fail "the window is not the launched process's"
[ "$(readlink "/proc/$PID/exe")" = /usr/bin/wordoria ] || fail "running $(readlink "/proc/$PID/exe"), not /usr/bin/wordoria"
[ "$(readlink "/proc/$PID/cwd")" = "$HOME/.local/share/wordoria" ] || fail "working directory $(readlink "/proc/$PID/cwd")"
cat "$HOME/launch.log"
grep -qx "Made the word store in $HOME/.local/share/wordoria/DATA" "$HOME/launch.log" || fail "the launcher did not say it made the store"
folders=$(find "$HOME/.local/share/wordoria/DATA" -type d | wc -l)
echo "DATA: $folders folders"
[ "$folders" -eq 86 ] || fail "not 86 folders in DATA"
kill "$PID"
wait "$PID" 2>/dev/null
echo "first start: passed"
EOF
chmod 755 "$TREE/tmp/first-start.sh"

echo "== First start as an ordinary user, no locale set"
in_tree useradd --create-home --shell /bin/sh wordoria-user
status=0
chroot --userspec=wordoria-user:wordoria-user "$TREE" /usr/bin/env -i PATH=/usr/bin:/bin \
    HOME=/home/wordoria-user USER=wordoria-user LOGNAME=wordoria-user \
    xvfb-run -a -s "-screen 0 1024x768x24" /tmp/first-start.sh || status=$?
[ "$status" -eq 0 ] || { echo "FAIL: the installed package did not start as it should" >&2; exit 1; }
echo "package install: passed"
