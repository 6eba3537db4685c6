#!/bin/sh
# A scripted tour of Wordoria under Xvfb with real X input: the help page,
# the three modes, a page of words and a confirmation box. Writes the
# screenshots, cut to the program's windows, to docs/screenshots.
set -eu
cd "$(dirname "$0")/.."
. scripts/utf8-locale.sh
scripts/install-deps.sh run test >/dev/null
cmake --preset linux >/dev/null
cmake --build build/linux -j"$(nproc)" --target wordoria wordoria-make-data >/dev/null

TOUR=build/demo
rm -rf "$TOUR"
for script in modes_e2e view_e2e regist_e2e; do
    xvfb-run -a -s "-screen 0 1024x768x24" tests/e2e/$script.sh "$(pwd)/build/linux/app/wordoria" "$(pwd)/$TOUR"
done

mkdir -p docs/screenshots
# The root window is black around the program: trimming leaves the program.
for shot in mode-view:help-page mode-regist:registration mode-delete:deletion view-ki-page1:view-page \
            regist-confirm:confirmation; do
    convert "$TOUR/${shot%%:*}.png" -trim +repage "docs/screenshots/${shot##*:}.png"
    echo "docs/screenshots/${shot##*:}.png"
done
