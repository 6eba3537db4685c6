#!/bin/bash
# package_test.sh BUILD_DIR: makes the Debian package of the Linux build with
# cpack and checks it as Debian's tools see it: the file list and its
# permissions, the control fields (the libraries' packages from
# dpkg-shlibdeps, the font), lintian, the desktop entry, the AppStream
# metadata, the manual pages, bash completion, the copyright file and the
# changelog.
# Needs dpkg-dev, lintian, desktop-file-utils, appstream, appstream-compose and man-db.
set -u

fail() { echo "FAIL: $*" >&2; exit 1; }

BUILD=$(cd "${1:?usage: package_test.sh BUILD_DIR}" && pwd) || fail "no build folder $1"
SOURCE=$(cd "$(dirname "$0")/../.." && pwd)
export LC_ALL=C.UTF-8
unset LANGUAGE
for tool in cpack dpkg-deb dpkg-shlibdeps dpkg-parsechangelog lintian desktop-file-validate appstreamcli man groff readelf identify; do
    command -v "$tool" >/dev/null || fail "$tool is not installed (scripts/install-deps.sh installs it)"
done

SCRATCH=$(mktemp -d)
trap 'rm -rf "$SCRATCH"' EXIT
trap 'exit 1' INT TERM HUP

VERSION=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$BUILD/CMakeCache.txt")
[ -n "$VERSION" ] || fail "no project version in $BUILD/CMakeCache.txt"
# The About box names the version too; a new version must change both.
grep -q "version$VERSION" "$SOURCE/app/commands.cpp" || fail "the About box does not say version$VERSION"
DEB=$BUILD/wordoria_${VERSION}_amd64.deb

# ---- the package
rm -f "$DEB"
(cd "$BUILD" && cpack --config CPackConfig.cmake) >"$SCRATCH/cpack.log" 2>&1 ||
    { cat "$SCRATCH/cpack.log" >&2; fail "cpack failed"; }
[ -f "$DEB" ] || { cat "$SCRATCH/cpack.log" >&2; fail "cpack made no $(basename "$DEB")"; }

# Every file and folder with its mode and owner: programs 755, the rest 644.
expected="drwxr-xr-x root/root ./usr/
drwxr-xr-x root/root ./usr/bin/
-rwxr-xr-x root/root ./usr/bin/wordoria
-rwxr-xr-x root/root ./usr/bin/wordoria-cli
-rwxr-xr-x root/root ./usr/bin/wordoria-launch
-rwxr-xr-x root/root ./usr/bin/wordoria-make-data
drwxr-xr-x root/root ./usr/share/
drwxr-xr-x root/root ./usr/share/applications/
-rw-r--r-- root/root ./usr/share/applications/wordoria.desktop
drwxr-xr-x root/root ./usr/share/bash-completion/
drwxr-xr-x root/root ./usr/share/bash-completion/completions/
-rw-r--r-- root/root ./usr/share/bash-completion/completions/wordoria-cli
drwxr-xr-x root/root ./usr/share/doc/
drwxr-xr-x root/root ./usr/share/doc/wordoria/
-rw-r--r-- root/root ./usr/share/doc/wordoria/changelog.gz
-rw-r--r-- root/root ./usr/share/doc/wordoria/copyright
drwxr-xr-x root/root ./usr/share/icons/
drwxr-xr-x root/root ./usr/share/icons/hicolor/
drwxr-xr-x root/root ./usr/share/icons/hicolor/128x128/
drwxr-xr-x root/root ./usr/share/icons/hicolor/128x128/apps/
-rw-r--r-- root/root ./usr/share/icons/hicolor/128x128/apps/wordoria.png
drwxr-xr-x root/root ./usr/share/icons/hicolor/256x256/
drwxr-xr-x root/root ./usr/share/icons/hicolor/256x256/apps/
-rw-r--r-- root/root ./usr/share/icons/hicolor/256x256/apps/wordoria.png
drwxr-xr-x root/root ./usr/share/icons/hicolor/48x48/
drwxr-xr-x root/root ./usr/share/icons/hicolor/48x48/apps/
-rw-r--r-- root/root ./usr/share/icons/hicolor/48x48/apps/wordoria.png
drwxr-xr-x root/root ./usr/share/icons/hicolor/64x64/
drwxr-xr-x root/root ./usr/share/icons/hicolor/64x64/apps/
-rw-r--r-- root/root ./usr/share/icons/hicolor/64x64/apps/wordoria.png
drwxr-xr-x root/root ./usr/share/man/
drwxr-xr-x root/root ./usr/share/man/man1/
-rw-r--r-- root/root ./usr/share/man/man1/wordoria-cli.1.gz
-rw-r--r-- root/root ./usr/share/man/man1/wordoria-launch.1.gz
-rw-r--r-- root/root ./usr/share/man/man1/wordoria-make-data.1.gz
-rw-r--r-- root/root ./usr/share/man/man1/wordoria.1.gz
drwxr-xr-x root/root ./usr/share/metainfo/
-rw-r--r-- root/root ./usr/share/metainfo/org.wordoria.Wordoria.metainfo.xml"
listed=$(dpkg-deb -c "$DEB" | awk '{print $1, $2, $6}' | sort -k3) || fail "dpkg-deb -c cannot read the package"
[ "$listed" = "$expected" ] || fail "the package's files differ:
$(diff <(echo "$expected") <(echo "$listed"))"

# ---- the control fields
field() { dpkg-deb -f "$DEB" "$1"; }
[ "$(field Package)" = "wordoria" ] || fail "Package: $(field Package)"
[ "$(field Version)" = "$VERSION" ] || fail "Version: $(field Version), not $VERSION"
[ "$(field Architecture)" = "amd64" ] || fail "Architecture: $(field Architecture)"
[ -n "$(field Maintainer)" ] || fail "no Maintainer"
[ -n "$(field Description)" ] || fail "no Description"
depends=$(field Depends | tr ',' '\n' | sed 's/^ *//; s/ .*//')
depends_on() { echo "$depends" | grep -qx "$1"; }
depends_on fonts-ipafont-gothic || fail "Depends lacks fonts-ipafont-gothic: $(field Depends)"
for qt in libqt6core6 libqt6gui6 libqt6widgets6; do
    # dpkg-shlibdeps gives each a lowest version from the library's symbols.
    field Depends | grep -Eq "(^|, )$qt \(>= [0-9.]+\)" || fail "Depends lacks $qt with its version: $(field Depends)"
done
# Every library the programs link is in a package the package depends on.
dpkg-deb -x "$DEB" "$SCRATCH/root"
ROOT=$SCRATCH/root
for program in wordoria wordoria-cli wordoria-make-data; do
    for soname in $(readelf -d "$ROOT/usr/bin/$program" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p'); do
        path=$(ldconfig -p | awk -v lib="$soname" '$1 == lib && /x86-64/ {print $NF; exit}')
        [ -n "$path" ] || fail "$program needs $soname, which is not on this system"
        owner=$(dpkg -S "$(realpath "$path")" 2>/dev/null || dpkg -S "$path" 2>/dev/null)
        owner=${owner%%:*}
        [ -n "$owner" ] || fail "no package holds $path"
        depends_on "$owner" || fail "$program needs $soname from $owner, which Depends lacks: $(field Depends)"
    done
done

# ---- lintian: no error; what else it says is shown
lintian --info "$DEB" >"$SCRATCH/lintian.log" 2>&1
lintian_status=$?
grep -v '^running with root privileges' "$SCRATCH/lintian.log"
! grep -q '^E: ' "$SCRATCH/lintian.log" || fail "lintian reports errors"
[ "$lintian_status" -eq 0 ] || fail "lintian exited with $lintian_status"

# ---- the desktop entry starts the packaged launcher and shows the packaged icon
DESKTOP=$ROOT/usr/share/applications/wordoria.desktop
desktop-file-validate "$DESKTOP" || fail "desktop-file-validate rejects the packaged desktop entry"
[ "$(sed -n 's/^Exec=//p' "$DESKTOP")" = "/usr/bin/wordoria-launch" ] ||
    fail "desktop entry $(grep '^Exec=' "$DESKTOP"), not /usr/bin/wordoria-launch"
icon=$(sed -n 's/^Icon=//p' "$DESKTOP")
for size in 48x48 64x64 128x128 256x256; do
    [ "$(identify -format '%m %wx%h' "$ROOT/usr/share/icons/hicolor/$size/apps/$icon.png" 2>/dev/null)" = "PNG $size" ] ||
        fail "desktop entry Icon=$icon has no $size PNG in the package"
done

# ---- the AppStream metadata: valid, launching the packaged entry, this version
METAINFO=$ROOT/usr/share/metainfo/org.wordoria.Wordoria.metainfo.xml
appstreamcli validate --no-net "$METAINFO" || fail "appstreamcli validate rejects the metainfo file"
grep -q '<id>org.wordoria.Wordoria</id>' "$METAINFO" || fail "the metainfo id is not its file's name"
grep -q '<launchable type="desktop-id">wordoria.desktop</launchable>' "$METAINFO" ||
    fail "the metainfo file does not launch wordoria.desktop"
# What a software centre's catalogue is made from: composed as a
# distribution composes it, the component must come out whole, with a
# cached icon of 64x64 or more (it is dropped, icon-not-found, without).
appstreamcli compose --no-color --origin=wordoria --result-root="$SCRATCH/catalogue" --prefix=/usr "$ROOT" \
    >"$SCRATCH/compose.log" 2>&1 || { cat "$SCRATCH/compose.log" >&2; fail "appstreamcli compose drops Wordoria"; }
catalogue=$(zcat "$SCRATCH/catalogue/usr/share/swcatalog/xml/wordoria.xml.gz")
grep -q '<id>org.wordoria.Wordoria</id>' <<<"$catalogue" || fail "the composed catalogue lacks Wordoria"
grep -q '<icon type="cached" width="128" height="128">' <<<"$catalogue" ||
    fail "the composed catalogue has no 128x128 icon"
grep -q '<binary>wordoria-cli</binary>' <<<"$catalogue" || fail "the catalogue does not say the package provides wordoria-cli"
latest_release=$(grep -o '<release version="[^"]*"' "$METAINFO" | head -n 1)
[ "$latest_release" = "<release version=\"$VERSION\"" ] || fail "the newest release in the metainfo is not $VERSION"

# ---- a manual page for every program, rendered without a warning
for program in $(cd "$ROOT/usr/bin" && ls); do
    page=$ROOT/usr/share/man/man1/$program.1.gz
    [ -f "$page" ] || fail "no manual page for $program"
    zcat "$page" | groff -k -man -Tutf8 -ww -z 2>"$SCRATCH/groff.log" || fail "groff cannot render $program.1"
    [ ! -s "$SCRATCH/groff.log" ] || { cat "$SCRATCH/groff.log" >&2; fail "groff warns on $program.1"; }
    MANWIDTH=80 man --warnings -l "$page" >"$SCRATCH/page.txt" 2>"$SCRATCH/man.log" || fail "man cannot show $program.1"
    [ ! -s "$SCRATCH/man.log" ] || { cat "$SCRATCH/man.log" >&2; fail "man warns on $program.1"; }
    grep -Eq "^ +$program - " "$SCRATCH/page.txt" || fail "$program.1 has no NAME line for $program"
done

# ---- bash completion for wordoria-cli, where bash-completion looks for it
COMPLETION=$ROOT/usr/share/bash-completion/completions/wordoria-cli
bash -c '. "$1" && complete -p wordoria-cli' _ "$COMPLETION" >/dev/null 2>&1 ||
    fail "the packaged completion file does not complete wordoria-cli"

# ---- the copyright file (machine-readable) and the changelog of this version
COPYRIGHT=$ROOT/usr/share/doc/wordoria/copyright
[ "$(head -n 1 "$COPYRIGHT")" = "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/" ] ||
    fail "the copyright file is not in the machine-readable format"
grep -qx 'License: Expat' "$COPYRIGHT" || fail "the copyright file does not name the Expat (MIT) licence"
grep -q '^MIT License' "$SOURCE/LICENSE" || fail "LICENSE is not the MIT licence the copyright file names"
changelog_version=$(zcat "$ROOT/usr/share/doc/wordoria/changelog.gz" | dpkg-parsechangelog -l - -S Version) ||
    fail "the changelog does not parse"
[ "$changelog_version" = "$VERSION" ] || fail "the changelog's newest entry is $changelog_version, not $VERSION"

echo "package: $(basename "$DEB") passed"
