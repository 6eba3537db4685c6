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
xdotool key Escape
# Escape did nothing if the program still takes the next input: every wait
# fails at once should the program end.
settled_shot "$OUT/mode-view.png" "view mode" in_mode view
choose_mode regist "$OUT/mode-regist.png"
program_ended && fail "Escape at start-up ended the program"
choose_mode delete "$OUT/mode-delete.png"
choose_mode view "$OUT/mode-view-again.png"

end_with_escape
echo "modes end to end: passed"
