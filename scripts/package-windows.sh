#!/bin/sh
# Makes the Windows zips: Wordoria.exe with wordoria-cli.exe, an empty DATA
# tree, README.txt and LICENSE.txt beside it, for 32-bit (the product) and
# for x86_64. Unzip anywhere and start Wordoria.exe there. The tree is made by
# the Linux build of the install step, so its folder names are UTF-8.
set -eu
cd "$(dirname "$0")/.."
. scripts/utf8-locale.sh
scripts/install-deps.sh run test >/dev/null
cmake --preset linux >/dev/null
cmake --build build/linux -j"$(nproc)" --target wordoria-make-data >/dev/null
for dir in win32 win64; do
    cmake --preset "$dir" >/dev/null
    cmake --build "build/$dir" -j"$(nproc)" --target wordoria wordoria-cli >/dev/null
    stage="build/package/$dir/Wordoria"
    rm -rf "build/package/$dir"
    mkdir -p "$stage"
    # Stripped as the Debian package is: the build keeps its debug data.
    cmake --install "build/$dir" --prefix "$stage" --strip >/dev/null
    build/linux/store/wordoria-make-data "$stage"
    # Notepad on a Japanese system reads Shift-JIS with CR LF; iconv refuses
    # any character that has no Shift-JIS form.
    sed 's/$/\r/' packaging/windows/README.txt >"$stage/README.utf8"
    iconv -f UTF-8 -t CP932 "$stage/README.utf8" >"$stage/README.txt"
    rm "$stage/README.utf8"
    # The licence with the notices of the libraries linked into the programs.
    { cat LICENSE; echo; cat packaging/windows/third-party-notices.txt; } | sed 's/$/\r/' >"$stage/LICENSE.txt"
    rm -f "build/Wordoria-$dir.zip"
    # A name that is not ASCII is read as UTF-8 only where its entry says so
    # (the zip format's language encoding flag); elsewhere Windows reads it in
    # the system's code page. Info-ZIP's zip 3.0 never sets the flag;
    # libarchive sets it on exactly those names when the locale is UTF-8.
    # Entries in the byte order of their names, whatever order the disk lists them in.
    (cd "build/package/$dir" && find Wordoria | LC_ALL=C sort |
         LC_ALL=C.UTF-8 bsdtar --create --format zip --options zip:hdrcharset=UTF-8 \
             --no-recursion --files-from - --file "../../Wordoria-$dir.zip")
    echo "build/Wordoria-$dir.zip"
done
