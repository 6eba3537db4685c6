#!/bin/sh
# Builds Wordoria for Linux and starts it in the user's data folder, making
# the DATA tree there on the first run (an existing one is never touched).
set -eu
cd "$(dirname "$0")/.."
. scripts/utf8-locale.sh

scripts/install-deps.sh
cmake -S . -B build/linux -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/linux -j"$(nproc)" --target wordoria wordoria-make-data

WORDORIA_PROGRAM="$(pwd)/build/linux/app/wordoria" \
WORDORIA_MAKE_DATA="$(pwd)/build/linux/store/wordoria-make-data" \
    exec scripts/wordoria-launch
