#!/bin/sh
# Installs the Debian packages a command needs, in sets:
#   run    building the Linux program and starting it (scripts/run.sh)
#   test   what the test command adds: the Windows builds, Wine and the tests'
#          tools (scripts/test.sh installs run and test)
#   bench  what bench/run adds: the Windows builds, Wine and Xvfb
# With no set named, all of them. Safe to run again: apt-get skips what is
# already there.
set -eu
. "$(dirname "$0")/utf8-locale.sh"

# The Linux program and its install step (wordoria-make-data), configured
# without the test suites. GCC, the one compiler that turns UTF-8 sources
# into Shift-JIS literals, and make; CMake (3.21 or later reads the presets).
# Qt 6 Widgets, with the OpenGL headers Qt's CMake files look for; glib's
# and xcb's headers, through pkg-config: the loop watches Qt's glib context
# and flushes its X connection. Xlib's headers: every Linux configure adds
# the benchmark programs, and the first-frame tool among them uses Xlib.
# windres (binutils-mingw-w64-x86-64) with the host's cpp compiles the
# resources of the Linux build too. The window draws its Japanese texts with
# IPA Gothic.
RUN="
  build-essential cmake pkg-config
  qt6-base-dev libgl-dev libglib2.0-dev libxcb1-dev libx11-dev
  binutils-mingw-w64-x86-64 cpp
  fonts-ipafont-gothic
"

# The Windows builds: the MinGW compilers, the i686 windres, and
# GoogleTest's sources (googletest), which the cross compilers build for the
# Windows test programs. Wordoria.exe, the product, is a 32-bit program:
# wine32 (from the i386 architecture, added below) runs it and its test
# programs; wine64 runs the x86_64 build, both in a Japanese locale
# (locales), with the IPA faces for the Japanese the programs draw there.
WINDOWS="
  g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix
  binutils-mingw-w64-i686 googletest
  wine64 wine32:i386 fonts-ipafont-mincho locales
"

# GoogleTest for the Linux suites. The end-to-end tests drive the real
# programs on Xvfb (xvfb-run wants xauth) with xdotool, xclip and the X
# utilities (xmodmap puts the Japanese the tests type on keys of their own),
# and judge screenshots with ImageMagick. clang with its runtime
# libraries builds the libFuzzer targets. dpkg-dev (dpkg-shlibdeps for
# cpack), lintian, desktop-file-utils, appstream (with appstream-compose,
# which makes a software centre's catalogue) and man-db make and check the
# Debian package. The input-method test types through Fcitx 5 and through
# IBus, each with Mozc, on a session bus. The Wayland test runs a headless
# Weston with XWayland, with Qt's Wayland plugin installed as a Wayland
# desktop has it. bsdtar (libarchive-tools) makes the Windows zips with
# their names flagged as UTF-8, and python3 reads them back as a Windows
# unzipper does.
TEST="
  libgtest-dev
  $WINDOWS
  xvfb xauth xdotool xclip x11-utils x11-xserver-utils imagemagick
  clang libclang-rt-14-dev libarchive-tools python3
  fcitx5 fcitx5-mozc fcitx5-frontend-qt6 ibus ibus-mozc dbus-x11
  weston xwayland qt6-wayland
  dpkg-dev lintian desktop-file-utils appstream appstream-compose man-db groff-base
"

# The desktop figures run the three programs on an Xvfb of their own, move
# the pointer with xdotool and find the Wine process with pgrep (procps).
BENCH="
  $WINDOWS
  xvfb xdotool procps
"

[ $# -gt 0 ] || set -- run test bench
PACKAGES=""
for set in "$@"; do
    case $set in
    run) PACKAGES="$PACKAGES $RUN" ;;
    test) PACKAGES="$PACKAGES $TEST" ;;
    bench) PACKAGES="$PACKAGES $BENCH" ;;
    *) echo "install-deps.sh: unknown set \"$set\" (run, test or bench)" >&2; exit 2 ;;
    esac
done
# One space between names, so that " $PACKAGES " finds a name whatever
# ended its line in the lists above.
PACKAGES=$(echo $PACKAGES)

SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO=sudo

missing=""
for p in $PACKAGES; do
    case " $missing " in *" $p "*) continue ;; esac
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done

if [ -n "$missing" ]; then
    # Only wine32 comes from i386: its own libraries, nothing else of ours.
    case " $missing " in
    *":i386 "*) dpkg --print-foreign-architectures | grep -qx i386 || $SUDO dpkg --add-architecture i386 ;;
    esac
    $SUDO apt-get update
    # Without recommends: Wine's optional media and printing stacks stay out.
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends $missing
fi

# Wine maps the narrow file functions through code page 932 only in a
# Japanese locale; the Linux program needs none (C.UTF-8 is built in).
case " $PACKAGES " in
*" locales "*)
    if ! locale -a 2>/dev/null | grep -qi '^ja_JP.utf8$'; then
        $SUDO sed -i 's/^# *ja_JP.UTF-8 UTF-8/ja_JP.UTF-8 UTF-8/' /etc/locale.gen
        $SUDO locale-gen
    fi
    ;;
esac
