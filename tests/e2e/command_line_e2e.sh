#!/bin/bash
# The program reads no command line: arguments that Qt would take as its own
# (mirrored menus, another widget style, a display platform that does not
# exist) change nothing. The window must look exactly as after a plain start
# and end as always.
# Usage: command_line_e2e.sh BINARY OUTPUT_DIR   (run under xvfb-run)
set -u
. "$(dirname "$0")/lib.sh"
begin_e2e "$1" "$2"

# window_shot FILE: the program's window alone, the pointer kept off it and
# the window drawn to the end.
window_shot() {
    move_pointer 1023 767
    settled_shot "$1.root.png" "the window with the pointer off it" in_mode view
    eval "$(xdotool getwindowgeometry --shell "$WINDOW")"
    convert "$1.root.png" -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$1"
}

start_wordoria "$BINARY" "$WORK"
window_shot "$OUT/command-line-none.png"
end_with_escape

start_wordoria "$BINARY" "$WORK" "" -reverse -style Windows -platform bogus
program_ended && fail "the program ended at start-up"
window_shot "$OUT/command-line-qt-options.png"
differing=$(compare -metric AE "$OUT/command-line-none.png" "$OUT/command-line-qt-options.png" null: 2>&1)
[ "$differing" = "0" ] || fail "$differing pixels differ from a start without arguments"
end_with_escape
echo "1 passed, 0 failed"
