#!/bin/bash
# View mode with real X input: word files in the DATA tree, presses on a
# kana cell, a Latin cell and 記号, page turns; screenshots of each, and
# pixels checked where the view fixes them.
# Usage: view_e2e.sh BINARY OUTPUT_DIR   (run under xvfb-run)
set -u
. "$(dirname "$0")/lib.sh"
begin_e2e "$1" "$2"
word_files "$WORK/DATA/日本語/か行/き" 7 "きつね"
word_files "$WORK/DATA/英語/Q" 2 "quiet"
word_files "$WORK/DATA/記号" 1 "＠"

start_wordoria "$BINARY" "$WORK"
screenshot "$OUT/view-help.png"

press_at 33 69        # き: kana row 1, column 1
point_at 33 69
screenshot "$OUT/view-ki-page1.png"
[ "$(client_pixel "$OUT/view-ki-page1.png" 118 13)" = "0,255,0" ] || fail "no green marker on page 1"
[ "$(client_pixel "$OUT/view-ki-page1.png" 27 61)" = "192,192,192" ] || fail "the cell under the pointer is not lit"

press_at 50 552       # next page
point_at 50 552       # now disabled: 7 entries end on page 2
screenshot "$OUT/view-ki-page2.png"
[ "$(client_pixel "$OUT/view-ki-page2.png" 7 541)" = "255,255,255" ] || fail "a disabled button is lit"
point_at 50 512       # the previous-page button is enabled
screenshot "$OUT/view-ki-page2-prev.png"
[ "$(client_pixel "$OUT/view-ki-page2-prev.png" 7 501)" = "192,192,192" ] || fail "the enabled button is not lit"

press_at 33 329       # Ｑ: Latin row 3, column 1
point_at 400 300
screenshot "$OUT/view-q.png"
[ "$(client_pixel "$OUT/view-q.png" 118 13)" = "0,255,0" ] || fail "Q shows no entry"
[ "$(client_pixel "$OUT/view-q.png" 118 247)" = "255,255,255" ] || fail "Q shows a third entry"

press_at 20 409       # 記号
point_at 400 300
screenshot "$OUT/view-symbol.png"
[ "$(client_pixel "$OUT/view-symbol.png" 118 13)" = "0,255,0" ] || fail "記号 shows no entry"
[ "$(client_pixel "$OUT/view-symbol.png" 118 130)" = "255,255,255" ] || fail "記号 shows a second entry"

press_at 17 49        # あ: an empty category brings the help page back
point_at 400 300
screenshot "$OUT/view-empty.png"
[ "$(client_pixel "$OUT/view-empty.png" 118 13)" = "255,255,255" ] || fail "an empty category shows a marker"

end_with_escape
echo "view end to end: passed"
