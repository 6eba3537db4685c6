#!/bin/bash
# The same journey on the Linux program, on the x86_64 build under 64-bit
# Wine and on the i686 product under 32-bit Wine: all three must pass and
# leave byte-identical DATA trees, whose word files hold the store's bytes.
# Usage: journey_builds.sh LINUX_BUILD_DIR WIN64_BUILD_DIR WIN32_BUILD_DIR OUTPUT_DIR
set -u
HERE=$(cd "$(dirname "$0")" && pwd)
. "$HERE/../../scripts/utf8-locale.sh"
LINUX=$1
WIN64=$2
WIN32=$3
OUT=$4
export WORDORIA_MAKE_DATA="$LINUX/store/wordoria-make-data"
SCREEN='-screen 0 1024x768x24'
xvfb-run -a -s "$SCREEN" "$HERE/journey_e2e.sh" linux "$LINUX/app/wordoria" "$OUT/linux" || exit 1
xvfb-run -a -s "$SCREEN" "$HERE/journey_e2e.sh" wine "$WIN64/app/Wordoria.exe" "$OUT/wine" || exit 1
xvfb-run -a -s "$SCREEN" "$HERE/journey_e2e.sh" wine32 "$WIN32/app/Wordoria.exe" "$OUT/wine32" || exit 1

for build in wine wine32; do
    diff -r "$OUT/linux/DATA" "$OUT/$build/DATA" || { echo "FAIL: the DATA trees of linux and $build differ" >&2; exit 1; }
done
ki="$OUT/linux/DATA/日本語/か行/き"
expect() {  # FILE NAME CONTENT
    [ "$(od -An -tx1 < "$1")" = "$(printf '%s\r\n%s' "$2" "$3" | iconv -f UTF-8 -t CP932 | od -An -tx1)" ] ||
        { echo "FAIL: $1 does not hold the store's bytes" >&2; exit 1; }
}
expect "$ki/1.txt" 'きつね' 'fox'
expect "$ki/2.txt" 'たぬき' 'raccoon dog'
[ -z "$(ls -A "$OUT/linux/DATA/記号")" ] || { echo "FAIL: the deleted word is still in 記号" >&2; exit 1; }
echo "1 passed, 0 failed"
