#!/bin/sh
# Makes the Windows zips: Wordoria.exe with an empty DATA tree beside it, for
# 32-bit (the product) and for x86_64. Unzip anywhere and start Wordoria.exe
# there. The tree is made by the Linux build of the install step, so its
# folder names are UTF-8 in the zip, which Windows' own unzipping reads.
set -eu
cd "$(dirname "$0")/.."
. scripts/utf8-locale.sh
scripts/install-deps.sh >/dev/null
cmake -S . -B build/linux -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/linux -j"$(nproc)" --target wordoria-make-data >/dev/null
for arch in i686:win32 x86_64:win64; do
    toolchain=${arch%%:*}
    dir=${arch##*:}
    cmake -S . -B "build/$dir" -DCMAKE_TOOLCHAIN_FILE="cmake/toolchain-mingw-$toolchain.cmake" \
          -DCMAKE_BUILD_TYPE=Release >/dev/null
    cmake --build "build/$dir" -j"$(nproc)" --target wordoria >/dev/null
    stage="build/package/$dir/Wordoria"
    rm -rf "build/package/$dir"
    mkdir -p "$stage"
    cmake --install "build/$dir" --prefix "$stage" >/dev/null
    build/linux/store/wordoria-make-data "$stage"
    rm -f "build/Wordoria-$dir.zip"
    (cd "build/package/$dir" && zip -qr "../../Wordoria-$dir.zip" Wordoria)
    echo "build/Wordoria-$dir.zip"
done
