#!/bin/bash
# A Wayland desktop: Weston (headless, with XWayland, as Plasma and GNOME
# start theirs) and Qt's Wayland plugin installed. The program must come up
# through XWayland, never as a native Wayland window: started by the
# launcher even where QT_QPA_PLATFORM=wayland is set for Qt programs at
# large, and started directly. Its window on Weston must show the same
# client area, pixel for pixel, as on Xvfb, with a fixed size and no
# maximise. Without XWayland the launcher refuses and starts nothing.
# Usage: wayland_e2e.sh BUILD_DIR OUTPUT_DIR   (needs no display of its own)
set -u
HERE=$(cd "$(dirname "$0")" && pwd)
. "$HERE/lib.sh"

# --reference PROGRAM WORK SHOT (under xvfb-run): the client area on Xvfb.
if [ "${1:-}" = "--reference" ]; then
    . "$HERE/wayland_lib.sh"
    (cd "$3" && QT_QPA_PLATFORM=xcb exec "$2") &
    PID=$!
    trap 'kill $PID 2>/dev/null; rm -rf "$SHOT_DIR"' EXIT
    find_window "$PID" || fail "no window on Xvfb"
    wait_settled "import -window root" "$4" || fail "the window on Xvfb never settled"
    exit 0
fi

BUILD=$(cd "${1:?usage: wayland_e2e.sh BUILD_DIR OUTPUT_DIR}" && pwd) || fail "no build folder $1"
OUT=${2:?usage: wayland_e2e.sh BUILD_DIR OUTPUT_DIR}
mkdir -p "$OUT"
OUT=$(cd "$OUT" && pwd)
PROGRAM=$BUILD/app/wordoria
MAKE_DATA=$BUILD/store/wordoria-make-data
LAUNCHER=$HERE/../../scripts/wordoria-launch
. "$HERE/wayland_lib.sh"

SCRATCH=$(mktemp -d)
WESTON=""
PID=""
clean_up() {
    [ -n "$PID" ] && kill "$PID" 2>/dev/null
    # Weston ends its XWayland and its own clients with it.
    [ -n "$WESTON" ] && kill "$WESTON" 2>/dev/null && wait "$WESTON" 2>/dev/null
    rm -rf "$SCRATCH" "$SHOT_DIR"
}
trap clean_up EXIT
trap 'exit 1' INT TERM HUP
export HOME=$SCRATCH/home XDG_DATA_HOME=$SCRATCH/data XDG_CONFIG_HOME=$SCRATCH/config
export XDG_RUNTIME_DIR=$SCRATCH/runtime
mkdir -p "$HOME" "$SCRATCH/work"
mkdir -m 700 "$XDG_RUNTIME_DIR"
"$MAKE_DATA" "$SCRATCH/work" || fail "no DATA tree"

# ---- the reference: the same program on Xvfb
xvfb-run -a -s "-screen 0 1024x768x24" "$0" --reference "$PROGRAM" "$SCRATCH/work" "$OUT/wayland-reference.png" ||
    fail "no reference picture on Xvfb"

# ---- Weston, headless, with XWayland; never idle, so its screen never locks
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
SOCKET=wordoria-test-$$
weston --backend=headless-backend.so --use-pixman --socket="$SOCKET" --width=1024 --height=768 \
    --xwayland --debug --idle-time=0 >"$SCRATCH/weston.log" 2>&1 &
WESTON=$!
# weston_listening: whether Weston's socket and its XWayland are up; sets display.
weston_listening() {
    kill -0 "$WESTON" 2>/dev/null || { cat "$SCRATCH/weston.log" >&2; fail "Weston did not start"; }
    display=$(sed -n 's/.*xserver listening on display \(:[0-9]*\).*/\1/p' "$SCRATCH/weston.log" | head -n 1)
    [ -n "$display" ] && [ -S "$XDG_RUNTIME_DIR/$SOCKET" ]
}
poll_until 30 weston_listening || { cat "$SCRATCH/weston.log" >&2; fail "waited 30 s for Weston's XWayland to listen"; }
export WAYLAND_DISPLAY=$SOCKET XDG_SESSION_TYPE=wayland

# weston_shot FILE: the Weston screen, by its screenshooter (which writes
# into its working folder under a name of its own).
weston_shot() {
    local folder=$SCRATCH/shot
    rm -rf "$folder"
    mkdir "$folder"
    (cd "$folder" && timeout 10 weston-screenshooter >/dev/null 2>&1) || return 1
    mv "$folder"/*.png "$1"
}

# on_weston NAME: the window just started, found through XWayland, checked
# and pictured. Fails if it is not an X window of the process in PID.
on_weston() {
    DISPLAY=$display find_window "$PID" || fail "$1: no X window on Weston (a native Wayland window?)"
    DISPLAY=$display check_frame_hints || fail "$1: $FRAME_FAULT"
    # Weston may place the window, and the program paint it, after it is
    # mapped: a difference counts only once it has lasted.
    SETTLE_DISPLAY=$display wait_matching weston_shot "$OUT/wayland-reference.png" "$OUT/wayland-$1.png" ||
        fail "$1: the client area on Weston still differs from Xvfb's after 30 s: $DIFFERING pixels (see $OUT)"
    weston_shot "$OUT/wayland-$1-screen.png"  # the frame Weston draws, for a person to look at
    kill "$PID"
    wait "$PID" 2>/dev/null
    PID=""
}

# ---- started by the launcher, with Qt told to use Wayland for everything
DISPLAY=$display QT_QPA_PLATFORM=wayland WORDORIA_PROGRAM=$PROGRAM WORDORIA_MAKE_DATA=$MAKE_DATA \
    "$LAUNCHER" >"$SCRATCH/launch.log" 2>&1 &
PID=$!
on_weston launcher
grep -q "Made the word store" "$SCRATCH/launch.log" || fail "the launcher did not make the store"

# ---- started directly, as a user might from a terminal
(cd "$SCRATCH/work" && DISPLAY=$display exec "$PROGRAM") >"$SCRATCH/direct.log" 2>&1 &
PID=$!
on_weston direct

# ---- a Wayland session without XWayland: refused, nothing started or made
rm -rf "$XDG_DATA_HOME"
status=0
env -u DISPLAY WORDORIA_PROGRAM=$PROGRAM WORDORIA_MAKE_DATA=$MAKE_DATA "$LAUNCHER" >/dev/null 2>"$SCRATCH/err" ||
    status=$?
[ "$status" -ne 0 ] || fail "without XWayland the launcher exited 0"
grep -q "XWayland" "$SCRATCH/err" || fail "without XWayland the launcher did not say why: $(cat "$SCRATCH/err")"
[ ! -e "$XDG_DATA_HOME" ] || fail "without XWayland the launcher made $XDG_DATA_HOME"
pgrep -f "^$PROGRAM" >/dev/null && fail "without XWayland a program was started"

echo "Wayland (Weston with XWayland): passed"
