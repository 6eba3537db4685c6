#!/bin/bash
# View mode with real X input: word files in the DATA tree, presses on a
# kana cell, a Latin cell and 記号, page turns; screenshots of each, and
# pixels checked where the view fixes them. Each step waits until its page
# differs from the one before and shows what it must.
# Usage: view_e2e.sh BINARY OUTPUT_DIR   (run under xvfb-run)
set -u
. "$(dirname "$0")/lib.sh"
begin_e2e "$1" "$2"
word_files "$WORK/DATA/日本語/か行/き" 7 "きつね"
word_files "$WORK/DATA/英語/Q" 2 "quiet"
word_files "$WORK/DATA/記号" 1 "＠"

start_wordoria "$BINARY" "$WORK"
settled_shot "$OUT/view-help.png" "the help page"

press_at 33 69        # き: kana row 1, column 1
point_at 33 69
settled_shot "$OUT/view-ki-page1.png" "page 1 of き, its cell lit under the pointer" \
    eval 'page_differs "$OUT/view-help.png" && shows 118 13 0,255,0 && shows 27 61 192,192,192'

press_at 50 552       # next page
point_at 50 552       # now disabled: 7 entries end on page 2
settled_shot "$OUT/view-ki-page2.png" "page 2 of き, the next-page button disabled and not lit" \
    eval 'page_differs "$OUT/view-ki-page1.png" && shows 118 13 0,255,0 && shows 7 541 255,255,255'
point_at 50 512       # the previous-page button is enabled
settled_shot "$OUT/view-ki-page2-prev.png" "the previous-page button lit under the pointer" shows 7 501 192,192,192

press_at 33 329       # Ｑ: Latin row 3, column 1
point_at 400 300
settled_shot "$OUT/view-q.png" "two entries of Q" eval 'page_differs "$OUT/view-ki-page2-prev.png" && shows 118 13 0,255,0 && shows 118 247 255,255,255'

press_at 20 409       # 記号
point_at 400 300
settled_shot "$OUT/view-symbol.png" "one entry of 記号" eval 'page_differs "$OUT/view-q.png" && shows 118 13 0,255,0 && shows 118 130 255,255,255'

press_at 17 49        # あ: an empty category brings the help page back
point_at 400 300
settled_shot "$OUT/view-empty.png" "the help page of an empty category" shows 118 13 255,255,255

end_with_escape
echo "view end to end: passed"
