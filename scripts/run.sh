#!/bin/sh
# Builds Wordoria for Linux and starts it in the user's data folder, making
# the DATA tree there on the first run (an existing one is never touched).
set -eu
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake -S . -B build/linux -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/linux -j"$(nproc)" --target wordoria wordoria-make-data

DATA_HOME="${XDG_DATA_HOME:-$HOME/.local/share}/wordoria"
mkdir -p "$DATA_HOME"
if [ ! -d "$DATA_HOME/DATA" ]; then
    build/linux/store/wordoria-make-data "$DATA_HOME"
    echo "Made the word store in $DATA_HOME/DATA"
fi

PROGRAM="$(pwd)/build/linux/app/wordoria"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display: start Wordoria from a desktop session, or try: xvfb-run scripts/run.sh" >&2
    exit 1
fi
cd "$DATA_HOME"
exec "$PROGRAM"
