#!/bin/bash
# windows_zip_test.sh: makes both Windows zips and checks what a Windows user
# unzips: Wordoria.exe and wordoria-cli.exe of the right architecture, the
# empty DATA tree beside them, and README.txt in Shift-JIS with CR LF, saying what the source says.
set -u
cd "$(dirname "$0")/../.."
# Tools' output in English and names in byte order, whatever the caller's
# locale (the test command runs Wine's steps in Japanese).
export LC_ALL=C.UTF-8
unset LANGUAGE
fail() { echo "FAIL: $*" >&2; exit 1; }

scripts/package-windows.sh >/dev/null || fail "package-windows.sh failed"
SCRATCH=$(mktemp -d)
trap 'rm -rf "$SCRATCH"' EXIT

for zip in win32:pei-i386 win64:pei-x86-64; do
    name=${zip%%:*} arch=${zip##*:}
    dir=$SCRATCH/$name
    mkdir "$dir"
    unzip -q "build/Wordoria-$name.zip" -d "$dir" || fail "$name: the zip does not unzip"
    [ "$(ls "$dir")" = "Wordoria" ] || fail "$name: the zip holds more than one folder"
    [ "$(cd "$dir/Wordoria" && ls | tr '\n' ' ')" = "DATA README.txt Wordoria.exe wordoria-cli.exe " ] ||
        fail "$name: the folder holds $(ls "$dir/Wordoria" | tr '\n' ' ')"
    for exe in Wordoria.exe wordoria-cli.exe; do
        objdump -f "$dir/Wordoria/$exe" | grep -q "file format $arch$" || fail "$name: $exe is not built for $arch"
    done
    # The tool is a console program; the window program is not.
    objdump -p "$dir/Wordoria/wordoria-cli.exe" | grep -q "^Subsystem.*(Windows CUI)" ||
        fail "$name: wordoria-cli.exe is not a console program"
    objdump -p "$dir/Wordoria/Wordoria.exe" | grep -q "^Subsystem.*(Windows GUI)" ||
        fail "$name: Wordoria.exe is not a window program"
    [ "$(find "$dir/Wordoria/DATA" -type d | wc -l)" -eq 86 ] || fail "$name: DATA is not the 86-folder tree"
    [ -z "$(find "$dir/Wordoria/DATA" ! -type d)" ] || fail "$name: DATA holds files"

    readme=$dir/Wordoria/README.txt
    # Every line ends in CR LF, the last one too; no CR elsewhere.
    [ "$(tail -c 2 "$readme" | od -An -tx1 | tr -d ' ')" = "0d0a" ] || fail "$name: README.txt does not end in CR LF"
    [ "$(grep -c $'\r$' "$readme")" = "$(wc -l <"$readme")" ] || fail "$name: a README.txt line ends without CR"
    [ "$(tr -cd '\r' <"$readme" | wc -c)" = "$(wc -l <"$readme")" ] || fail "$name: README.txt has a stray CR"
    iconv -f CP932 -t UTF-8 "$readme" | tr -d '\r' >"$SCRATCH/$name.utf8" || fail "$name: README.txt is not Shift-JIS"
    cmp -s "$SCRATCH/$name.utf8" packaging/windows/README.txt || fail "$name: README.txt differs from its source"
    ! iconv -f UTF-8 -t UTF-8 "$readme" >/dev/null 2>&1 || fail "$name: README.txt is UTF-8, not Shift-JIS"
done
echo "Windows zips: passed"
