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
    DECIDE="583 292"; FIRST_NAME="60 443"; DIALOG_COLOUR="245,245,245"; DELETE_LIST="435 477"
    NAME_LINE="50 431 300 20"; CONTENT_LINE="50 518 300 15"
    # Wine reads X input only when the program's queue runs empty, and the
    # hover repaint keeps a WM_PAINT waiting while the pointer rests on a
    # cell: input arrives in batches about 0.6 s apart. A press must outlast
    # a batch, or its release lands in the same turn and the paint never
    # sees the button down.
    PRESS_HOLD=1.5
else
    KI_RADIO="65 99"; SYMBOL_RADIO="30 330"; NAME_FIELD="100 405"; CONTENT_FIELD="100 490"
    DECIDE="580 270"; FIRST_NAME="60 410"
    NAME_LINE="46 397 300 22"; CONTENT_LINE="46 476 300 15"
    RUNNER=""
fi
read -r FIRST_NAME_X FIRST_NAME_Y <<<"$FIRST_NAME"
trap 'stop_wordoria' EXIT

# clipboard_holds TEXT: whether the clipboard gives TEXT to whoever asks.
clipboard_holds() { [ "$(xclip -o -selection clipboard 2>/dev/null)" = "$1" ]; }

# paste_into X Y "LEFT TOP WIDTH HEIGHT" TEXT: empties the field and pastes the text. Japanese goes in
# through the clipboard, as xdotool's typing cannot reach Wine's keyboard
# table. The paste must have reached the field before the clipboard holds the
# next text.
paste_into() {
    local line=$3
    press_at "$1" "$2"
    clear_field
    shot_when "" "the field at $1 $2 emptied" blank $line
    printf '%s' "$4" | xclip -selection clipboard
    wait_for "$PATIENCE" "the clipboard to hold '$4'" clipboard_holds "$4"
    xdotool key ctrl+v
    shot_when "" "'$4' pasted into the field at $1 $2" inked $line
}

# dialog_whole regist|delete: whether the last screenshot shows the dialog
# drawn whole: its background is the dialog colour (Wine's own is lighter)
# where the cell was and far from it, its field is white inside, and 決定
# carries its text. Else FAULT says what is missing.
dialog_whole() {
    local field spot
    [ "$1" = regist ] && field=$NAME_FIELD || field=$FIRST_NAME
    for spot in "33 69" "790 590"; do
        FAULT="the background at $spot is $(client_pixel "$SHOT" $spot)"
        shows $spot "$DIALOG_COLOUR" || return 1
    done
    FAULT="its field is not drawn"
    shows $field 255,255,255 || return 1
    FAULT="決定 shows no text"
    set -- $DECIDE
    [ "$(dark_pixels $(($1 - 20)) $(($2 - 8)) 40 16)" -gt 20 ]
}

register() {  # RADIO NAME CONTENT
    press_at $1
    paste_into $NAME_FIELD "$NAME_LINE" "$2"
    paste_into $CONTENT_FIELD "$CONTENT_LINE" "$3"
    press_at $DECIDE
    answer_box '確認メッセージ' Return
}

start_wordoria "$PROGRAM" "$OUT" "$RUNNER"
# At start-up the hidden deletion dialog's first control has the focus:
# Escape must do nothing. Every wait below fails at once should it end the
# program.
xdotool key Escape

# The pointer rests on a cell, then goes straight to the menu: each dialog
# must still be drawn whole, controls and background.
for mode in regist delete; do
    point_at 33 69                  # the cell き, lit under the pointer as it rests there
    settled_shot "" "the cell き lit under the pointer" shows 27 61 192,192,192
    program_ended && fail "Escape at start-up ended the program"
    choose_mode $mode
    shot_when "$OUT/journey-$mode-after-hover.png" "the $mode dialog drawn whole after a hover" dialog_whole $mode
    choose_mode view
done

choose_mode regist
register "$KI_RADIO" 'きつね' 'fox'
register "$KI_RADIO" 'たぬき' 'raccoon dog'
register "$SYMBOL_RADIO" '＠' 'at mark'
screenshot "$OUT/journey-regist.png"

choose_mode view
press_at 33 69                      # the cell き
point_at 400 300
settled_shot "$OUT/journey-view-ki.png" "き showing its entries" shows 118 13 0,255,0

choose_mode delete
press_at $SYMBOL_RADIO
shot_when "" "the list to show the name in 記号" inked $(($FIRST_NAME_X - 36)) $(($FIRST_NAME_Y - 7)) 250 14
press_at $FIRST_NAME
shot_when "" "the first name chosen" list_row_chosen $FIRST_NAME_Y
press_at $DECIDE
answer_box '確認メッセージ' Return "$OUT/journey-delete-confirm.png"

choose_mode view
press_at 20 409                     # the cell 記号: now empty, the help page
point_at 400 300
settled_shot "$OUT/journey-view-symbol.png" "記号, now empty, showing the help page" shows 118 13 255,255,255

end_with_escape
echo "journey ($KIND): passed"
