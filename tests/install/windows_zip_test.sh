#!/bin/bash
# windows_zip_test.sh: makes both Windows zips and checks what a Windows user
# unzips: folder names that a reader following the zip format takes as UTF-8,
# Wordoria.exe and wordoria-cli.exe of the right architecture, self-contained,
# stripped and carrying the project's version, the empty DATA tree beside
# them, README.txt in Shift-JIS with CR LF, saying what the source says, and
# LICENSE.txt with the notices of what the programs link in.
set -u
cd "$(dirname "$0")/../.."
# Tools' output in English and names in byte order, whatever the caller's
# locale (the test command runs Wine's steps in Japanese).
export LC_ALL=C.UTF-8
unset LANGUAGE
fail() { echo "FAIL: $*" >&2; exit 1; }
# Every line ends in CR LF, the last one too; no CR elsewhere.
check_crlf() {
    [ "$(tail -c 2 "$1" | od -An -tx1 | tr -d ' ')" = "0d0a" ] || fail "$2 does not end in CR LF"
    [ "$(grep -c $'\r$' "$1")" = "$(wc -l <"$1")" ] || fail "a $2 line ends without CR"
    [ "$(tr -cd '\r' <"$1" | wc -c)" = "$(wc -l <"$1")" ] || fail "$2 has a stray CR"
}
# Spaces and line ends as one space, to find a paragraph however it is wrapped.
one_line() { tr -d '\r' <"$1" | tr -s ' \n' '  '; }

VERSION=$(sed -n 's/^project(Wordoria VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
[ -n "$VERSION" ] || fail "no project version in CMakeLists.txt"
VERSION_NUMBERS=$(echo "$VERSION.0.0.0" | cut -d. -f1-4 | sed 's/\./, /g')

SCRATCH=$(mktemp -d)
trap 'rm -rf "$SCRATCH"' EXIT

# The English half reads on a Windows whose code page is not Japanese.
sed -n '/^Wordoria version.*a dictionary of your own words$/,$p' packaging/windows/README.txt >"$SCRATCH/english"
[ "$(wc -l <"$SCRATCH/english")" -gt 20 ] || fail "README.txt has no English half"
! LC_ALL=C grep -n '[^ -~]' "$SCRATCH/english" || fail "README.txt's English half is not pure ASCII"
[ "$(grep -c "^Wordoria version$VERSION " packaging/windows/README.txt)" = 2 ] ||
    fail "README.txt does not name version $VERSION in both halves"

scripts/package-windows.sh >/dev/null || fail "package-windows.sh failed"
mkdir "$SCRATCH/fresh"
build/linux/store/wordoria-make-data "$SCRATCH/fresh" >/dev/null || fail "wordoria-make-data failed"
(cd "$SCRATCH/fresh" && find DATA | sort) >"$SCRATCH/fresh.list"

for zip in win32:pei-i386:i686 win64:pei-x86-64:x86_64; do
    IFS=: read -r name arch cpu <<<"$zip"
    dir=$SCRATCH/$name
    mkdir "$dir"
    tests/install/unzip_by_flag.py "build/Wordoria-$name.zip" "$dir" || fail "$name: the zip's names are not all flagged UTF-8"
    [ "$(ls "$dir")" = "Wordoria" ] || fail "$name: the zip holds more than one folder"
    [ "$(cd "$dir/Wordoria" && ls | tr '\n' ' ')" = "DATA LICENSE.txt README.txt Wordoria.exe wordoria-cli.exe " ] ||
        fail "$name: the folder holds $(ls "$dir/Wordoria" | tr '\n' ' ')"
    # The folders, by name, that the program looks for.
    (cd "$dir/Wordoria" && find DATA | sort) | cmp -s - "$SCRATCH/fresh.list" ||
        fail "$name: DATA's folder names differ from wordoria-make-data's"
    [ "$(find "$dir/Wordoria/DATA" -type d | wc -l)" -eq 86 ] || fail "$name: DATA is not the 86-folder tree"
    [ -z "$(find "$dir/Wordoria/DATA" ! -type d)" ] || fail "$name: DATA holds files"

    for exe in Wordoria.exe wordoria-cli.exe; do
        file=$dir/Wordoria/$exe
        objdump -f "$file" | grep -q "file format $arch$" || fail "$name: $exe is not built for $arch"
        ! objdump -h "$file" | grep -q ' \.debug_' || fail "$name: $exe carries debug sections"
        # Nothing but Windows' own DLLs: the MinGW runtime is linked in, as LICENSE.txt says.
        dlls=$(objdump -p "$file" | sed -n 's/^\tDLL Name: //p' | tr 'a-z' 'A-Z' | sort | tr '\n' ' ')
        for dll in $dlls; do
            case $dll in KERNEL32.DLL|USER32.DLL|GDI32.DLL|SHELL32.DLL|MSVCRT.DLL) ;;
                *) fail "$name: $exe needs $dll" ;;
            esac
        done
        # The program's icon at every size Windows asks for, 16 to 256 (octal
        # widths in windres's listing; 256 is written 0).
        if [ "$exe" = Wordoria.exe ]; then
            widths=$("$cpu-w64-mingw32-windres" -i "$file" -O rc 2>/dev/null |
                sed -n '/RT_GROUP_ICON/,/^END$/s/^ *"\\\([0-7]*\)\\.*Element.*/\1/p' | tr '\n' ' ')
            [ "$widths" = "020 030 040 060 100 200 000 " ] || fail "$name: $exe's icon has the widths (octal) $widths"
        fi
        rc=$("$cpu-w64-mingw32-windres" -i "$file" -O rc 2>/dev/null | sed -n '/^1 VERSIONINFO$/,/^END$/p')
        [ -n "$rc" ] || fail "$name: $exe has no version information"
        for line in " FILEVERSION $VERSION_NUMBERS" " PRODUCTVERSION $VERSION_NUMBERS" \
                    '      VALUE "ProductName", "Wordoria"' "      VALUE \"ProductVersion\", \"$VERSION\"" \
                    "      VALUE \"FileVersion\", \"$VERSION\"" "      VALUE \"OriginalFilename\", \"$exe\""; do
            grep -qxF "$line" <<<"$rc" || fail "$name: $exe's version information lacks $line"
        done
        grep -qx '      VALUE "FileDescription", "Wordoria.*"' <<<"$rc" || fail "$name: $exe has no description"
    done
    # The tool is a console program; the window program is not.
    objdump -p "$dir/Wordoria/wordoria-cli.exe" | grep -q "^Subsystem.*(Windows CUI)" ||
        fail "$name: wordoria-cli.exe is not a console program"
    objdump -p "$dir/Wordoria/Wordoria.exe" | grep -q "^Subsystem.*(Windows GUI)" ||
        fail "$name: Wordoria.exe is not a window program"

    readme=$dir/Wordoria/README.txt
    check_crlf "$readme" "$name: README.txt"
    iconv -f CP932 -t UTF-8 "$readme" | tr -d '\r' >"$SCRATCH/$name.utf8" || fail "$name: README.txt is not Shift-JIS"
    cmp -s "$SCRATCH/$name.utf8" packaging/windows/README.txt || fail "$name: README.txt differs from its source"
    ! iconv -f UTF-8 -t UTF-8 "$readme" >/dev/null 2>&1 || fail "$name: README.txt is UTF-8, not Shift-JIS"

    licence=$dir/Wordoria/LICENSE.txt
    check_crlf "$licence" "$name: LICENSE.txt"
    ! LC_ALL=C grep -q '[^ -~'$'\r'']' "$licence" || fail "$name: LICENSE.txt is not pure ASCII"
    tr -d '\r' <"$licence" | head -n "$(wc -l <LICENSE)" | cmp -s - LICENSE || fail "$name: LICENSE.txt does not start with LICENSE"
    one_line "$licence" >"$SCRATCH/licence.line"
    for notice in "winpthreads ==* Copyright (c) 2011-2016 mingw-w64 project Permission is hereby granted" \
                  "The above copyright notice and this permission notice shall be included in all copies or substantial portions of the Software." \
                  "Copyright (c) 2009-2016 the mingw-w64 project Redistribution and use in source and binary forms" \
                  "Copyright (C) 1997-2001 Lucent Technologies"; do
        grep -q "$notice" "$SCRATCH/licence.line" || fail "$name: LICENSE.txt lacks \"$notice\""
    done
done
echo "Windows zips: passed"
