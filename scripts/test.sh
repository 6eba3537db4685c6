#!/bin/sh
# Builds the three builds and runs every test: the Linux suites, the Windows
# suites of the i686 product under 32-bit Wine and of the x86_64 build under
# 64-bit Wine, and one user journey on all three programs.
set -eu
cd "$(dirname "$0")/.."
. scripts/utf8-locale.sh
ROOT=$(pwd)
JOBS=$(nproc)

scripts/install-deps.sh run test

echo "== Linux build"
cmake --preset linux >/dev/null
cmake --build build/linux -j"$JOBS"
(cd build/linux && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$JOBS")

echo "== Windows i686 build (the product) and x86_64 build"
for build in win32 win64; do
    cmake --preset "$build" >/dev/null
    cmake --build "build/$build" -j"$JOBS"
done

# Wine maps the narrow file functions through code page 932 only in a
# Japanese locale. Each build has a prefix of its own: the product's is a
# 32-bit Windows, as 32-bit Wine makes it.
export WINEDEBUG=-all LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
export WINEPREFIX="$ROOT/build/wine-prefix" WINEPREFIX32="$ROOT/build/wine32-prefix"
status=0
# Message boxes are real windows under Wine: they need a display.
echo "== Windows i686 tests under 32-bit Wine"
(cd build/win32 && WINEPREFIX=$WINEPREFIX32 WINEARCH=win32 xvfb-run -a ctest --output-on-failure --timeout 1200) ||
    status=$?
# On a Windows not set to Japanese both programs say so once (each sets the
# locale of its Wine commands itself).
WINEPREFIX=$WINEPREFIX32 WINEARCH=win32 xvfb-run -a -s '-screen 0 1024x768x24' \
    tests/e2e/code_page_e2e.sh "$ROOT/build/win32" "$ROOT/build/code-page/win32" /usr/lib/wine/wine || status=$?
WINEPREFIX=$WINEPREFIX32 /usr/lib/wine/wineserver -k 2>/dev/null || true
echo "== Windows x86_64 tests under 64-bit Wine"
(cd build/win64 && xvfb-run -a ctest --output-on-failure --timeout 1200) || status=$?
xvfb-run -a -s '-screen 0 1024x768x24' \
    tests/e2e/code_page_e2e.sh "$ROOT/build/win64" "$ROOT/build/code-page/win64" || status=$?
/usr/lib/wine/wineserver -k 2>/dev/null || true

echo "== Windows zips, with their README.txt"
tests/install/windows_zip_test.sh || status=$?

echo "== One user journey on the three builds, with real X input"
tests/e2e/journey_builds.sh "$ROOT/build/linux" "$ROOT/build/win64" "$ROOT/build/win32" "$ROOT/build/journey" || status=$?
exit $status
