#!/bin/sh
# Installs every Debian package the builds, the tests and the benchmarks need.
# Safe to run again: apt-get skips what is already there.
set -eu
. "$(dirname "$0")/utf8-locale.sh"

# windres (binutils-mingw-w64-x86-64) with the host's cpp compiles the
# resources of the Linux build too; the MinGW compilers make the Windows builds.
# dpkg-dev (dpkg-shlibdeps for cpack), lintian, desktop-file-utils, appstream
# (with appstream-compose, which makes a software centre's catalogue) and
# man-db make and check the Debian package. The input-method test types
# through Fcitx 5 and through IBus, each with Mozc, on a session bus. The
# Wayland test runs a headless Weston with XWayland, with Qt's Wayland plugin
# installed as a Wayland desktop has it. Wordoria.exe, the product, is a
# 32-bit program: wine32 (from the i386 architecture, added below) runs it and
# its test programs; wine64 runs the x86_64 build. bsdtar (libarchive-tools)
# makes the Windows zips with their names flagged as UTF-8, and python3 reads
# them back as a Windows unzipper does.
PACKAGES="
  build-essential cmake pkg-config
  qt6-base-dev libgl-dev libglib2.0-dev libxcb1-dev
  libgtest-dev googletest
  g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix
  binutils-mingw-w64-i686
  binutils-mingw-w64-x86-64 cpp
  wine64 wine32:i386
  fonts-ipafont-gothic fonts-ipafont-mincho
  xvfb xauth xdotool xclip x11-utils imagemagick libx11-dev
  clang libclang-rt-14-dev libarchive-tools python3
  locales
  fcitx5 fcitx5-mozc fcitx5-frontend-qt6 ibus ibus-mozc dbus-x11
  weston xwayland qt6-wayland
  dpkg-dev lintian desktop-file-utils appstream appstream-compose man-db groff-base
"

missing=""
for p in $PACKAGES; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done

if [ -n "$missing" ]; then
    SUDO=""
    [ "$(id -u)" -ne 0 ] && SUDO=sudo
    # Only wine32 comes from i386: its own libraries, nothing else of ours.
    dpkg --print-foreign-architectures | grep -qx i386 || $SUDO dpkg --add-architecture i386
    $SUDO apt-get update
    # Without recommends: Wine's optional media and printing stacks stay out.
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends $missing
fi

# Wine maps the narrow file functions through code page 932 only in a Japanese locale.
if ! locale -a 2>/dev/null | grep -qi '^ja_JP.utf8$'; then
    SUDO=""
    [ "$(id -u)" -ne 0 ] && SUDO=sudo
    $SUDO sed -i 's/^# *ja_JP.UTF-8 UTF-8/ja_JP.UTF-8 UTF-8/' /etc/locale.gen
    $SUDO locale-gen
fi
