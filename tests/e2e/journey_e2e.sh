#!/bin/bash
# One user journey with real X input: Escape at start-up doing nothing, each
# dialog chosen while the pointer was last on a cell (both must be drawn
# whole), two words registered in き and one in 記号 (each confirmed), the view of き, the
# 記号 word deleted (confirmed), the view of 記号 again, Escape. Leaves the
# DATA tree in OUTPUT_DIR/DATA.
# Usage: journey_e2e.sh linux|wine|wine32 PROGRAM OUTPUT_DIR   (run under xvfb-run)
set -u
KIND=$1
. "$(dirname "$0")/lib.sh"
PROGRAM=$2
OUT=$3
mkdir -p "$OUT"
rm -rf "$OUT/DATA"
MAKE_DATA=${WORDORIA_MAKE_DATA:?the Linux install step makes the tree for both builds}
"$MAKE_DATA" "$OUT" || fail "no DATA tree"

# Window-relative places: the Linux layer and Wine lay out their frames and
# the dialog font (6x12 against 6x13 base units) each their own way.
if [ "$KIND" != linux ]; then
    export WINEDEBUG=-all LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
    if [ "$KIND" = wine32 ]; then
        # The product on a 32-bit Windows: a prefix of its own, as 32-bit Wine makes it.
        export WINEPREFIX=${WINEPREFIX32:-$HOME/.wine32-wordoria} WINEARCH=win32
        RUNNER=/usr/lib/wine/wine
    else
        export WINEPREFIX=${WINEPREFIX:-$HOME/.wine-wordoria}
        RUNNER=/usr/lib/wine/wine64
    fi
    CLIENT_DX=2; CLIENT_DY=21; MENU_Y=10; VIEW_X=179; REGIST_X=262; DELETE_X=359
    KI_RADIO="65 106"; SYMBOL_RADIO="30 357"; NAME_FIELD="100 440"; CONTENT_FIELD="100 530"
    DECIDE="583 292"; FIRST_NAME="60 443"; DIALOG_COLOUR="245,245,245"
    # Wine reads X input only when the program's queue runs empty, and the
    # hover repaint keeps a WM_PAINT waiting while the pointer rests on a
    # cell: input arrives in batches about 0.6 s apart. A press must outlast
    # a batch, or its release lands in the same turn and the paint never
    # sees the button down.
    PRESS_HOLD=1.5
else
    CLIENT_DX=2; CLIENT_DY=22; MENU_Y=9; VIEW_X=190; REGIST_X=275; DELETE_X=373
    KI_RADIO="65 99"; SYMBOL_RADIO="30 330"; NAME_FIELD="100 405"; CONTENT_FIELD="100 490"
    DECIDE="580 270"; FIRST_NAME="60 410"; DIALOG_COLOUR="240,240,240"
    RUNNER=""
fi
trap 'stop_wordoria' EXIT

# paste_into X Y TEXT: empties the field and pastes the text. Japanese goes in
# through the clipboard, as xdotool's typing cannot reach Wine's keyboard
# table.
paste_into() {
    press_at "$1" "$2"
    printf '%s' "$3" | xclip -selection clipboard
    sleep 0.3
    clear_field
    xdotool key ctrl+v
    sleep 0.3
}

# dialog_drawn regist|delete SHOT: the dialog's background is the dialog
# colour (Wine's own is lighter) where the cell was and far from it, its fields are white inside,
# and 決定 carries its text.
dialog_drawn() {
    local field spot dark
    [ "$1" = regist ] && field=$NAME_FIELD || field=$FIRST_NAME
    for spot in "33 69" "790 590"; do
        [ "$(client_pixel "$2" $spot)" = "$DIALOG_COLOUR" ] ||
            fail "$1 dialog after a hover: the background at $spot is $(client_pixel "$2" $spot) (see $2)"
    done
    [ "$(client_pixel "$2" $field)" = "255,255,255" ] || fail "$1 dialog after a hover: its field is not drawn (see $2)"
    set -- "$1" "$2" $DECIDE
    dark=$(convert "$2" -crop "40x16+$((WIN_X + CLIENT_DX + $3 - 20))+$((WIN_Y + CLIENT_DY + $4 - 8))" +repage \
        -colorspace gray -threshold 50% -format '%[fx:int(w*h*(1-mean))]' info:)
    [ "$dark" -gt 20 ] || fail "$1 dialog after a hover: 決定 shows no text (see $2)"
}

register() {  # RADIO NAME CONTENT
    press_at $1
    paste_into $NAME_FIELD "$2"
    paste_into $CONTENT_FIELD "$3"
    press_at $DECIDE
    answer_box '確認メッセージ' Return
}

start_wordoria "$PROGRAM" "$OUT" "$RUNNER"
sleep 0.5
# At start-up the hidden deletion dialog's first control has the focus.
xdotool key Escape
sleep 1
kill -0 "$PID" 2>/dev/null || fail "Escape at start-up ended the program"

# The pointer rests on a cell, then goes straight to the menu: each dialog
# must still be drawn whole, controls and background.
for mode in regist delete; do
    point_at 33 69                  # the cell き
    sleep 1
    [ $mode = regist ] && click_at $REGIST_X $MENU_Y || click_at $DELETE_X $MENU_Y
    sleep 1.5
    screenshot "$OUT/journey-$mode-after-hover.png"
    dialog_drawn $mode "$OUT/journey-$mode-after-hover.png"
    click_at $VIEW_X $MENU_Y
    sleep 1
done

click_at $REGIST_X $MENU_Y
register "$KI_RADIO" 'きつね' 'fox'
register "$KI_RADIO" 'たぬき' 'raccoon dog'
register "$SYMBOL_RADIO" '＠' 'at mark'
screenshot "$OUT/journey-regist.png"

sleep 1                             # the box's window has gone and the main window has the pointer again
click_at $VIEW_X $MENU_Y
sleep 2                             # until the dialog has gone from the screen
press_at 33 69                      # the cell き
point_at 400 300
screenshot "$OUT/journey-view-ki.png"
[ "$(client_pixel "$OUT/journey-view-ki.png" 118 13)" = "0,255,0" ] || fail "き shows no entry"

click_at $DELETE_X $MENU_Y
press_at $SYMBOL_RADIO
press_at $FIRST_NAME
press_at $DECIDE
answer_box '確認メッセージ' Return "$OUT/journey-delete-confirm.png"

sleep 1
click_at $VIEW_X $MENU_Y
sleep 2
press_at 20 409                     # the cell 記号: now empty, the help page
point_at 400 300
screenshot "$OUT/journey-view-symbol.png"

end_with_escape
echo "journey ($KIND): passed"
