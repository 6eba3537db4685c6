#!/bin/sh
# Makes the Windows zips: Wordoria.exe with wordoria-cli.exe, an empty DATA
# tree and README.txt beside it, for 32-bit (the product) and for x86_64. Unzip anywhere and start
# Wordoria.exe there. The tree is made by the Linux build of the install
# step, so its folder names are UTF-8 in the zip, which Windows' own
# unzipping reads.
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
    cmake --build "build/$dir" -j"$(nproc)" --target wordoria wordoria-cli >/dev/null
    stage="build/package/$dir/Wordoria"
    rm -rf "build/package/$dir"
    mkdir -p "$stage"
    cmake --install "build/$dir" --prefix "$stage" >/dev/null
    build/linux/store/wordoria-make-data "$stage"
    # Notepad on a Japanese system reads Shift-JIS with CR LF; iconv refuses
    # any character that has no Shift-JIS form.
    sed 's/$/\r/' packaging/windows/README.txt >"$stage/README.utf8"
    iconv -f UTF-8 -t CP932 "$stage/README.utf8" >"$stage/README.txt"
    rm "$stage/README.utf8"
    rm -f "build/Wordoria-$dir.zip"
    (cd "build/package/$dir" && zip -qr "../../Wordoria-$dir.zip" Wordoria)
    echo "build/Wordoria-$dir.zip"
done
