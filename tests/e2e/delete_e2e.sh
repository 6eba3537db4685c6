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
word_file_written "$FOLDER/1.txt" 'きつね' 'fox'

choose_mode view                    # the word is there
press_at 33 69
point_at 400 300
settled_shot "$OUT/delete-before.png" "the word in the view" shows 118 13 0,255,0

choose_mode delete
press_at 65 99                      # the radio button き lists the folder
shot_when "" "the list to show the word's name" inked 24 403 250 14
press_at 60 410                     # the first name of the list
shot_when "$OUT/delete-dialog.png" "the first name chosen" list_row_chosen 403
press_at 580 270                    # 決定
answer_box '確認メッセージ' Return "$OUT/delete-confirm.png"
wait_for "$PATIENCE" "the word file to be removed" eval '[ ! -e "$FOLDER/1.txt" ]'
shot_when "$OUT/delete-after.png" "the list to lose the name" shows 60 410 255,255,255

choose_mode view                    # still shown until pressed again
point_at 400 300
settled_shot "" "the deleted word still in the view" shows 118 13 0,255,0
press_at 33 69
point_at 400 300
settled_shot "$OUT/delete-view.png" "the view without the word" shows 118 13 255,255,255

end_with_escape
echo "deletion end to end: passed"
