#!/bin/bash
# Chooses each mode from the menu with real X input and keeps a screenshot of
# each; Escape then ends the program with exit code 0 once the main window has
# the keyboard focus, and not at start-up, when the focus is in the hidden
# deletion dialog (made last, it takes the focus for its first control).
# Usage: modes_e2e.sh BINARY OUTPUT_DIR   (run under xvfb-run)
set -u
. "$(dirname "$0")/lib.sh"
begin_e2e "$1" "$2"

start_wordoria "$BINARY" "$WORK"
# The menu bar's commands, at their places on the bar (y 9 is inside the bar).
MENU_Y=9
VIEW_X=190
REGIST_X=275
DELETE_X=373
# A point of the client area below the bar: white in view mode, dialog face otherwise.
PROBE_X=700
PROBE_Y=500

xdotool key Escape
sleep 1
kill -0 "$PID" 2>/dev/null || fail "Escape at start-up ended the program"

screenshot "$OUT/mode-view.png"
[ "$(pixel "$OUT/mode-view.png" $PROBE_X $PROBE_Y)" = "255,255,255" ] || fail "view mode is not white"

click_at $REGIST_X $MENU_Y
screenshot "$OUT/mode-regist.png"
[ "$(pixel "$OUT/mode-regist.png" $PROBE_X $PROBE_Y)" = "240,240,240" ] || fail "the registration dialog is not shown"

click_at $DELETE_X $MENU_Y
screenshot "$OUT/mode-delete.png"
[ "$(pixel "$OUT/mode-delete.png" $PROBE_X $PROBE_Y)" = "240,240,240" ] || fail "the deletion dialog is not shown"

click_at $VIEW_X $MENU_Y
screenshot "$OUT/mode-view-again.png"
[ "$(pixel "$OUT/mode-view-again.png" $PROBE_X $PROBE_Y)" = "255,255,255" ] || fail "view mode did not come back"

end_with_escape
echo "modes end to end: passed"
