#!/bin/sh
# Builds the fuzz targets with clang's libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer.
# Clang has no -fexec-charset: the store's sources are handed to it already
# in Shift-JIS, so its literals (folder names) carry the program's bytes. That
# only works while no Shift-JIS character in them ends in a backslash byte,
# which is checked here.
# Usage: build.sh OUTPUT_DIR
set -eu
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
OUT=$1
mkdir -p "$OUT/sjis"
for source in categories data_tree text_stream word_file; do
    iconv -f UTF-8 -t CP932 "$ROOT/store/$source.cpp" > "$OUT/sjis/$source.cpp"
    if [ "$(grep -o '\\' "$ROOT/store/$source.cpp" | wc -l)" != "$(grep -ao '\\' "$OUT/sjis/$source.cpp" | wc -l)" ]; then
        echo "store/$source.cpp: a Shift-JIS character ends in 0x5C; clang would misread it" >&2
        exit 1
    fi
done
FLAGS="-std=c++17 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined
       -Wno-invalid-source-encoding -I$ROOT/store -I$ROOT/cp932 -I$ROOT/platform/include -I$ROOT/platform/src -I$ROOT/res"
STORE="$OUT/sjis/categories.cpp $OUT/sjis/data_tree.cpp $OUT/sjis/text_stream.cpp $OUT/sjis/word_file.cpp"
PLATFORM="$ROOT/platform/src/files/file_names.cpp $ROOT/platform/src/files/file_ops.cpp $ROOT/platform/src/files/file_search.cpp $ROOT/platform/src/files/file_search_match.cpp
          $ROOT/platform/src/base/last_error.cpp $ROOT/platform/src/files/native_path.cpp $ROOT/platform/src/text/text_encoding.cpp
          $ROOT/cp932/cp932_stand_ins.cpp"
for target in reading listing; do
    clang++ $FLAGS "$ROOT/tests/fuzz/${target}_fuzz.cpp" $STORE $PLATFORM \
        -o "$OUT/${target}_fuzz"
done
clang++ $FLAGS "$ROOT/tests/fuzz/csv_fuzz.cpp" "$ROOT/cli/csv.cpp" -o "$OUT/csv_fuzz"
