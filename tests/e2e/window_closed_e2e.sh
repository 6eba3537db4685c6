#!/bin/bash
# Another X client destroys the main window (xdotool windowclose calls
# XDestroyWindow): the program must end as when its main window is
# destroyed, with exit code 0, and not stay behind with no window: at once
# when the window shows, once the program has settled and idles, and while a
# message box's own loop runs over it. A message box another client destroys
# ends as one closed: the program goes on, its main window enabled again.
# Usage: window_closed_e2e.sh BINARY OUTPUT_DIR   (run under xvfb-run)
set -u
. "$(dirname "$0")/lib.sh"
begin_e2e "$1" "$2"
# What the program says on the way is kept for a person to read.
: >"$OUT/window-closed.stderr"

# start_and_wait: starts the program and waits for its window; sets PID and WINDOW.
start_and_wait() {
    (cd "$WORK" && exec "$BINARY" 2>>"$OUT/window-closed.stderr") &
    PID=$!
    wait_for "$PATIENCE" "the Wordoria window" main_window_shown
    WINDOW=$(visible_window '^Wordoria$')
    eval "$(xdotool getwindowgeometry --shell "$WINDOW")"
    WIN_X=$X
    WIN_Y=$Y
}

# close_and_expect_end WHEN: destroys the window and expects the program to end.
close_and_expect_end() {
    xdotool windowclose "$WINDOW" || fail "xdotool could not destroy the window ($1)"
    wait_exit "$PATIENCE"
    [ "$STATUS" -eq 0 ] || fail "exit code $STATUS after the window was destroyed ($1)"
}

# wait_painted: waits until the main window shows its white client area.
wait_painted() { shot_when "$OUT/window-closed-shown.png" "the window's white client area" in_mode view; }

# open_about_box: starts the program and opens its About box (Alt+H, A).
open_about_box() {
    start_and_wait
    wait_painted
    xdotool key alt+h
    wait_for "$PATIENCE" "the Help menu to open" menu_open
    xdotool key a
    wait_for "$PATIENCE" "the About box" window_shown 'バージョン情報'
}

start_and_wait
close_and_expect_end "as it showed"

# Settled, the loop's turns idle and trust its wake-up flag between sleeps.
start_and_wait
wait_painted
close_and_expect_end "idle"

# The About box runs its own loop, owned by the main window.
open_about_box
close_and_expect_end "under a message box"

# The About box itself destroyed: its loop ends and the main window, enabled
# again, takes the menu's mode choice (disabled, it would take none).
open_about_box
xdotool windowclose "$(visible_window 'バージョン情報')" || fail "xdotool could not destroy the About box"
wait_for "$PATIENCE" "the About box to go" window_gone 'バージョン情報'
program_ended && fail "the program ended with its About box"
choose_mode regist
close_and_expect_end "after its message box was destroyed"
echo "1 passed, 0 failed"
