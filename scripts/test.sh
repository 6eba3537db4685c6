#!/bin/sh
# Builds the three builds and runs every test: the Linux suites, the Windows
# x86_64 suites under Wine, and one user journey on the Linux program and on
# the x86_64 build under Wine. The i686 product is built, not run.
set -eu
cd "$(dirname "$0")/.."
. scripts/utf8-locale.sh
ROOT=$(pwd)
JOBS=$(nproc)

scripts/install-deps.sh

echo "== Linux build"
cmake -S . -B build/linux -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/linux -j"$JOBS"
# A GUI test that a loaded machine made miss its timing gets one more try.
(cd build/linux && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$JOBS" --repeat until-pass:2)

echo "== Windows i686 build (the product)"
cmake -S . -B build/win32 -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw-i686.cmake \
      -DCMAKE_BUILD_TYPE=Release -DWORDORIA_TESTS=OFF >/dev/null
cmake --build build/win32 -j"$JOBS"

echo "== Windows x86_64 build, tests under Wine"
cmake -S . -B build/win64 -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw-x86_64.cmake \
      -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/win64 -j"$JOBS"
export WINEPREFIX="$ROOT/build/wine-prefix" WINEDEBUG=-all LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
# Message boxes are real windows under Wine: they need a display.
status=0
(cd build/win64 && xvfb-run -a ctest --output-on-failure --timeout 1200) || status=$?
/usr/lib/wine/wineserver -k 2>/dev/null || true

echo "== Windows zips, with their README.txt"
tests/install/windows_zip_test.sh || status=$?

echo "== One user journey on both builds, with real X input"
# Timed real input on a loaded machine: a failed run gets one more try.
journey() { tests/e2e/journey_both.sh "$ROOT/build/linux" "$ROOT/build/win64" "$ROOT/build/journey"; }
journey || { echo "== journey: one more try"; journey; } || status=$?
exit $status
