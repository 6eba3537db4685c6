#!/bin/bash
# Deletes a word registered through the registration dialog, with real X
# input: it goes from the list, from the folder and, once its category is
# pressed again, from the view. Screenshots of the dialog and the confirmation.
# Usage: delete_e2e.sh BINARY OUTPUT_DIR   (run under xvfb-run)
set -u
. "$(dirname "$0")/lib.sh"
begin_e2e "$1" "$2"
FOLDER="$WORK/DATA/日本語/か行/き"

start_wordoria "$BINARY" "$WORK"
register_ki 'きつね' 'fox'
[ -f "$FOLDER/1.txt" ] || fail "the word was not registered"

click_at 190 9                      # 辞書モード: the word is there
press_at 33 69
point_at 400 300
screenshot "$OUT/delete-before.png"
[ "$(client_pixel "$OUT/delete-before.png" 118 13)" = "0,255,0" ] || fail "the word is not in the view"

click_at 373 9                      # 辞書削除モード
press_at 65 99                      # the radio button き lists the folder
press_at 60 410                     # the first name of the list
screenshot "$OUT/delete-dialog.png"
press_at 580 270                    # 決定
answer_box '確認メッセージ' Return "$OUT/delete-confirm.png"
[ -e "$FOLDER/1.txt" ] && fail "the word file is still there"
screenshot "$OUT/delete-after.png"
[ "$(client_pixel "$OUT/delete-after.png" 60 410)" = "255,255,255" ] || fail "the list still shows a name"

click_at 190 9                      # 辞書モード: still shown until pressed again
point_at 400 300
press_at 33 69
point_at 400 300
screenshot "$OUT/delete-view.png"
[ "$(client_pixel "$OUT/delete-view.png" 118 13)" = "255,255,255" ] || fail "the view still shows the word"

end_with_escape
echo "deletion end to end: passed"
