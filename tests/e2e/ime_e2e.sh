#!/bin/bash
# Japanese typed through a real input method, as a user types it: Fcitx 5 with
# Mozc, then IBus with Mozc, each in a session of its own (X server, session
# bus, input method, the program). `kitsune` Return in the word-name field
# gives きつね, `neko` Space Return in the content field gives 猫, and the
# registration stores exactly those bytes. The composition must show in the
# field before Return, underlined, and Space must turn ねこ into 猫 there.
# Whether the input method shows a candidate window, and where, is its own
# affair (Mozc under IBus draws none where it takes the session for a Wayland
# one): the judgement leaves such windows out, unless they hide the text.
#
# Mozc's converter will not run as root, so as root the sessions run as an
# unprivileged user made for the test and removed after it; otherwise as the
# caller. Every process a session started is ended, whatever happens.
# Usage: ime_e2e.sh BINARY OUTPUT_DIR        (needs no display of its own)
#        ime_e2e.sh --session fcitx5|ibus BINARY OUTPUT_DIR   (one session)
set -u
HERE=$(cd "$(dirname "$0")" && pwd)

if [ "${1:-}" = "--session" ]; then
    . "$HERE/ime_session.sh"
    run_session "$2" "$3" "$4"
    exit $?
fi

. "$HERE/lib.sh"
BINARY=$(readlink -f "${1:?usage: ime_e2e.sh BINARY OUTPUT_DIR}")
OUT=${2:?usage: ime_e2e.sh BINARY OUTPUT_DIR}
mkdir -p "$OUT"

# Everything the session reads is copied where its user can read it: the
# source tree may lie in a folder only root may enter.
SCRATCH=$(mktemp -d /tmp/wordoria-ime.XXXXXX)
chmod 755 "$SCRATCH"
mkdir -p "$SCRATCH/src/tests/e2e" "$SCRATCH/src/scripts" "$SCRATCH/app" "$SCRATCH/store" "$SCRATCH/out"
cp "$HERE/ime_e2e.sh" "$HERE/ime_session.sh" "$HERE/lib.sh" "$SCRATCH/src/tests/e2e/"
cp "$HERE/../../scripts/utf8-locale.sh" "$SCRATCH/src/scripts/"
# The build's layout, where the end-to-end helpers look for the install step.
cp "$BINARY" "$SCRATCH/app/wordoria"
cp "$(dirname "$BINARY")/../store/wordoria-make-data" "$SCRATCH/store/" || fail "no wordoria-make-data in the build"

USER_MADE=""
if [ "$(id -u)" -eq 0 ]; then
    USER_MADE=wordoria-ime-$$
    useradd --system --no-create-home --home-dir "$SCRATCH/home" --shell /bin/bash "$USER_MADE" ||
        fail "could not make the test user"
    as_user() { runuser -u "$USER_MADE" -- "$@"; }
else
    as_user() { "$@"; }
fi
clean_up() {
    if [ -n "$USER_MADE" ]; then
        pkill -KILL -u "$USER_MADE" 2>/dev/null
        poll_until 5 eval '! pgrep -u "$USER_MADE" >/dev/null'
        userdel "$USER_MADE" 2>/dev/null
    fi
    cp -f "$SCRATCH"/out/*.png "$SCRATCH"/out/*.windows "$OUT/" 2>/dev/null
    rm -rf "$SCRATCH" "$SHOT_DIR"
}
trap clean_up EXIT
trap 'exit 1' INT TERM HUP
[ -z "$USER_MADE" ] || chown -R "$USER_MADE" "$SCRATCH"

status=0
for method in fcitx5 ibus; do
    echo "== $method with Mozc"
    # A clean environment, as a login gives: nothing of the caller's display,
    # bus or input method leaks in.
    as_user env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME="$SCRATCH/home" \
        bash "$SCRATCH/src/tests/e2e/ime_e2e.sh" --session "$method" "$SCRATCH/app/wordoria" "$SCRATCH/out" ||
        status=1
done
exit $status
