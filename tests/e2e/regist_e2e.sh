#!/bin/bash
# Registers a word with a Japanese name through the registration dialog with
# real X input, then finds it in view mode. Screenshots of the dialog and of
# the confirmation box are kept.
# Usage: regist_e2e.sh BINARY OUTPUT_DIR   (run under xvfb-run)
set -u
. "$(dirname "$0")/lib.sh"
begin_e2e "$1" "$2"

start_wordoria "$BINARY" "$WORK"
click_at 275 9                      # 辞書登録モード
press_at 65 99                      # the radio button き
press_at 100 405                    # the word-name field
xdotool type --delay 150 'きつね'
press_at 100 490                    # the content field
xdotool type --delay 100 'fox'
xdotool key Return
xdotool type --delay 100 'kitsune'
sleep 0.3
screenshot "$OUT/regist-dialog.png"

press_at 580 270                    # 決定
BOX=""
for _ in $(seq 1 50); do
    BOX=$(xdotool search --onlyvisible --name '確認メッセージ' 2>/dev/null | head -n 1)
    [ -n "$BOX" ] && break
    sleep 0.1
done
[ -n "$BOX" ] || fail "no confirmation box"
sleep 0.5
screenshot "$OUT/regist-confirm.png"
xdotool windowfocus --sync "$BOX"
xdotool key Return                  # OK is the default button
sleep 0.5

FILE="$WORK/DATA/日本語/か行/き/1.txt"
[ -f "$FILE" ] || fail "no word file was written"
EXPECTED=$(printf 'きつね\r\nfox\r\r\nkitsune' | iconv -f UTF-8 -t CP932 | od -An -tx1)
[ "$(od -An -tx1 < "$FILE")" = "$EXPECTED" ] || fail "the word file has other bytes: $(od -An -tx1 < "$FILE")"

click_at 190 9                      # 辞書モード
press_at 33 69                      # the cell き
point_at 400 300
screenshot "$OUT/regist-view.png"
[ "$(client_pixel "$OUT/regist-view.png" 118 13)" = "0,255,0" ] || fail "the new word is not on page 1"

end_with_escape
echo "registration end to end: passed"
