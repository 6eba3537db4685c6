#!/bin/bash
# Registers a word with a Japanese name through the registration dialog with
# real X input, then finds it in view mode. Screenshots of the dialog and of
# the confirmation box are kept.
# Usage: regist_e2e.sh BINARY OUTPUT_DIR   (run under xvfb-run)
set -u
. "$(dirname "$0")/lib.sh"
begin_e2e "$1" "$2"

start_wordoria "$BINARY" "$WORK"
choose_mode regist
press_at 65 99                      # the radio button き
press_at 100 405                    # the word-name field
type_text 150 'きつね'
press_at 100 490                    # the content field
xdotool type --delay 100 'fox'
xdotool key Return
xdotool type --delay 100 'kitsune'
shot_when "$OUT/regist-dialog.png" "the typed text in both fields" \
    eval 'inked 46 396 300 24 && inked 46 491 300 16'

press_at 580 270                    # 決定
answer_box '確認メッセージ' Return "$OUT/regist-confirm.png"   # OK is the default button
word_file_written "$WORK/DATA/日本語/か行/き/1.txt" 'きつね' $'fox\r\r\nkitsune'

choose_mode view
press_at 33 69                      # the cell き
point_at 400 300
settled_shot "$OUT/regist-view.png" "the new word on page 1" shows 118 13 0,255,0

end_with_escape
echo "registration end to end: passed"
