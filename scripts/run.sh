#!/bin/sh
# Builds Wordoria for Linux and starts it in the user's data folder, making
# the DATA tree there on the first run (an existing one is never touched).
set -eu
cd "$(dirname "$0")/.."
. scripts/utf8-locale.sh

scripts/install-deps.sh run
# The program alone: its build needs no test framework.
cmake --preset linux-program >/dev/null
cmake --build --preset linux-program -j"$(nproc)"

WORDORIA_PROGRAM="$(pwd)/build/linux/app/wordoria" \
WORDORIA_MAKE_DATA="$(pwd)/build/linux/store/wordoria-make-data" \
    exec scripts/wordoria-launch
