#!/bin/sh
# A short, bounded fuzzing run of the reading rule, of category listings and
# of the import's CSV reader, for the test command. Any finding fails it; the long runs use build.sh.
# Usage: run_short.sh BUILD_DIR [SECONDS]
set -eu
HERE=$(cd "$(dirname "$0")" && pwd)
OUT=$1
SECONDS_EACH=${2:-15}
"$HERE/build.sh" "$OUT"
for target in reading listing csv; do
    mkdir -p "$OUT/corpus-$target"
    (cd "$OUT" && "$OUT/${target}_fuzz" -max_total_time="$SECONDS_EACH" -max_len=2048 \
        -artifact_prefix="$OUT/$target-" "$OUT/corpus-$target" 2>"$OUT/$target.log") || {
        tail -n 40 "$OUT/$target.log" >&2
        echo "fuzzing $target found a fault" >&2
        exit 1
    }
    grep -E '^Done' "$OUT/$target.log"
done
