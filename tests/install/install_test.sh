#!/bin/bash
# install_test.sh BUILD_DIR: installs the Linux build into a scratch prefix,
# checks what lands there, then runs the installed launcher as a desktop
# would: the first run makes the DATA tree in the user's data folder and
# starts Wordoria there, a later run leaves the tree alone, and without a
# display it refuses and starts nothing. Needs xvfb-run, xdotool and
# ImageMagick; uses desktop-file-validate where it is installed.
set -u

fail() { echo "FAIL: $*" >&2; exit 1; }

# --launch LAUNCHER PROGRAM LOG (run under xvfb-run by the script itself):
# starts the launcher, waits for the window, checks that it belongs to the
# installed program running in the data folder, then ends it.
if [ "${1:-}" = "--launch" ]; then
    LAUNCHER=$2 PROGRAM=$3 LOG=$4
    PID=""
    trap '[ -n "$PID" ] && kill "$PID" 2>/dev/null; wait' EXIT
    "$LAUNCHER" >"$LOG" 2>&1 &
    PID=$!
    WINDOW=""
    for _ in $(seq 1 300); do
        WINDOW=$(xdotool search --onlyvisible --name '^Wordoria$' 2>/dev/null | head -n 1)
        [ -n "$WINDOW" ] && break
        kill -0 "$PID" 2>/dev/null || { cat "$LOG" >&2; fail "the launcher ended without a window"; }
        sleep 0.1
    done
    [ -n "$WINDOW" ] || fail "the Wordoria window did not appear"
    # The launcher execs the program, so its process is the one it started.
    [ "$(xdotool getwindowpid "$WINDOW")" = "$PID" ] || fail "the window is not the launched process's"
    [ "$(readlink "/proc/$PID/exe")" = "$(readlink -f "$PROGRAM")" ] ||
        fail "running $(readlink "/proc/$PID/exe"), not $PROGRAM"
    [ "$(readlink "/proc/$PID/cwd")" = "$(readlink -f "$XDG_DATA_HOME/wordoria")" ] ||
        fail "working directory $(readlink "/proc/$PID/cwd"), not $XDG_DATA_HOME/wordoria"
    kill "$PID"
    wait "$PID" 2>/dev/null
    PID=""
    exit 0
fi

BUILD=$(cd "${1:?usage: install_test.sh BUILD_DIR}" && pwd) || fail "no build folder $1"
SELF=$(cd "$(dirname "$0")" && pwd)/$(basename "$0")
export LC_ALL=C

SCRATCH=$(mktemp -d)
# Ends whatever this script started (xvfb-run, Xvfb, the program) and removes
# the scratch folder, however the script ends.
kill_tree() {
    local child
    for child in $(pgrep -P "$1" 2>/dev/null); do kill_tree "$child"; done
    [ "$1" != "$$" ] && kill "$1" 2>/dev/null
}
clean_up() {
    kill_tree $$
    wait 2>/dev/null
    rm -rf "$SCRATCH"
}
trap clean_up EXIT
trap 'exit 1' INT TERM HUP

PREFIX=$SCRATCH/prefix
export HOME=$SCRATCH/home
export XDG_CONFIG_HOME=$HOME/.config XDG_CACHE_HOME=$HOME/.cache XDG_RUNTIME_DIR=$SCRATCH/runtime
mkdir -p "$HOME"
mkdir -m 700 "$XDG_RUNTIME_DIR"
unset WORDORIA_PROGRAM WORDORIA_MAKE_DATA

# ---- the install
cmake --install "$BUILD" --prefix "$PREFIX" >"$SCRATCH/install.log" 2>&1 ||
    { cat "$SCRATCH/install.log" >&2; fail "cmake --install failed"; }
BIN=$PREFIX/bin
ICON_DIR=$PREFIX/share/icons/hicolor/48x48/apps
DESKTOP=$PREFIX/share/applications/wordoria.desktop
expected="bin/wordoria
bin/wordoria-cli
bin/wordoria-launch
bin/wordoria-make-data
share/applications/wordoria.desktop
share/bash-completion/completions/wordoria-cli
share/doc/wordoria/changelog.gz
share/doc/wordoria/copyright
share/icons/hicolor/128x128/apps/wordoria.png
share/icons/hicolor/256x256/apps/wordoria.png
share/icons/hicolor/48x48/apps/wordoria.png
share/icons/hicolor/64x64/apps/wordoria.png
share/man/man1/wordoria-cli.1.gz
share/man/man1/wordoria-launch.1.gz
share/man/man1/wordoria-make-data.1.gz
share/man/man1/wordoria.1.gz
share/metainfo/org.wordoria.Wordoria.metainfo.xml"
installed=$(cd "$PREFIX" && find . ! -type d | sed 's|^\./||' | sort)
[ "$installed" = "$expected" ] || fail "installed files differ: $(echo "$installed" | tr '\n' ' ')"
for program in wordoria wordoria-cli wordoria-make-data wordoria-launch; do
    [ -f "$BIN/$program" ] && [ -x "$BIN/$program" ] || fail "bin/$program is not an executable file"
done

for size in 48x48 64x64 128x128 256x256; do
    [ "$(identify -format '%m %wx%h' "$PREFIX/share/icons/hicolor/$size/apps/wordoria.png" 2>/dev/null)" = "PNG $size" ] ||
        fail "the $size icon is not a $size PNG"
done

# The desktop entry: its launcher is the installed one, its icon the installed one.
[ "$(head -n 1 "$DESKTOP")" = "[Desktop Entry]" ] || fail "the desktop entry does not begin with [Desktop Entry]"
iconv -f UTF-8 -t UTF-8 "$DESKTOP" >/dev/null 2>&1 || fail "the desktop entry is not UTF-8"
entry_value() { sed -n "s/^$1=//p" "$DESKTOP"; }
[ "$(entry_value Type)" = "Application" ] || fail "desktop entry Type is not Application"
[ -n "$(entry_value Name)" ] || fail "desktop entry has no Name"
# By its installed path: a desktop session's PATH may lack the prefix's bin.
exec_line=$(entry_value Exec)
[ "$exec_line" = "$BIN/wordoria-launch" ] || fail "desktop entry Exec=$exec_line is not the installed launcher"
icon=$(entry_value Icon)
case $icon in
/*) [ "$icon" = "$ICON_DIR/wordoria.png" ] ;;
*) [ -f "$ICON_DIR/$icon.png" ] ;;
esac || fail "desktop entry Icon=$icon is not the installed icon"
bad_line=$(grep -Ev '^(#.*|\[[^]]+\]|[A-Za-z0-9-]+(\[[A-Za-z_@.]+\])?=.*|)$' "$DESKTOP" | head -n 1)
[ -z "$bad_line" ] || fail "desktop entry line is neither group, key nor comment: $bad_line"
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$DESKTOP" || fail "desktop-file-validate rejects the desktop entry"
else
    echo "install: desktop-file-validate not installed, its check skipped"
fi

# ---- without a display: refused, nothing made, nothing started
export XDG_DATA_HOME=$SCRATCH/no-display
marker=$SCRATCH/started
mkdir -p "$SCRATCH/spy"
for spy in program make-data; do
    printf '#!/bin/sh\necho %s >>"%s"\n' "$spy" "$marker" >"$SCRATCH/spy/$spy"
    chmod +x "$SCRATCH/spy/$spy"
done
for display in unset empty; do
    if [ "$display" = unset ]; then
        run=(env -u DISPLAY -u WAYLAND_DISPLAY)
    else
        run=(env DISPLAY= WAYLAND_DISPLAY=)
    fi
    # Once with stand-ins that tell whether they ran, once with the real ones.
    status=0
    "${run[@]}" WORDORIA_PROGRAM="$SCRATCH/spy/program" WORDORIA_MAKE_DATA="$SCRATCH/spy/make-data" \
        "$BIN/wordoria-launch" >"$SCRATCH/out" 2>"$SCRATCH/err" || status=$?
    [ "$status" -ne 0 ] || fail "without a display ($display) the launcher exited 0"
    [ ! -e "$marker" ] || fail "without a display ($display) the launcher started $(tr '\n' ' ' <"$marker")"
    grep -q 'No display' "$SCRATCH/err" || fail "without a display ($display) no message: $(cat "$SCRATCH/err")"
    status=0
    "${run[@]}" "$BIN/wordoria-launch" >"$SCRATCH/out" 2>"$SCRATCH/err" || status=$?
    [ "$status" -ne 0 ] || fail "without a display ($display) the launcher exited 0"
    grep -q 'No display' "$SCRATCH/err" || fail "without a display ($display) no message: $(cat "$SCRATCH/err")"
    [ ! -e "$XDG_DATA_HOME" ] || fail "without a display ($display) the launcher made $XDG_DATA_HOME"
done

# ---- the first launch, after one cut short while it made the tree
export XDG_DATA_HOME=$SCRATCH/data-home
mkdir -p "$XDG_DATA_HOME/wordoria/.DATA-making/DATA/日本語"
export QT_QPA_PLATFORM=xcb
unset WAYLAND_DISPLAY
STORE=$XDG_DATA_HOME/wordoria
launch() {
    xvfb-run -a -s "-screen 0 1024x768x24" "$SELF" --launch "$BIN/wordoria-launch" "$BIN/wordoria" "$1" ||
        { cat "$1" >&2; fail "the $2 failed (its output above)"; }
}
launch "$SCRATCH/first.log" "first launch"
grep -qx "Made the word store in $STORE/DATA" "$SCRATCH/first.log" || fail "the first launch did not say it made the store"
[ "$(ls -A "$STORE")" = "DATA" ] || fail "the first launch left beside DATA: $(ls -A "$STORE" | tr '\n' ' ')"

folders() { (cd "$1" && find DATA | sort); }
mkdir "$SCRATCH/reference"
"$BIN/wordoria-make-data" "$SCRATCH/reference" || fail "wordoria-make-data failed"
tree=$(folders "$STORE")
[ "$tree" = "$(folders "$SCRATCH/reference")" ] || fail "the launcher's tree differs from wordoria-make-data's"
# DATA, 日本語 with 10 rows and 46 kana, 英語 with 26 letters, 記号: 86 folders.
[ "$(cd "$STORE" && find DATA -type d | wc -l)" -eq 86 ] || fail "not 86 folders in DATA"
[ -z "$(cd "$STORE" && find DATA ! -type d)" ] || fail "the new tree holds files"
# The category folders are the leaves: every folder that holds no other.
parents=$(cd "$STORE" && find DATA -type d | sed 's|/[^/]*$||' | sort -u)
[ "$(comm -23 <(echo "$tree") <(echo "$parents") | wc -l)" -eq 73 ] || fail "not 73 category folders"
echo "$tree" | iconv -f UTF-8 -t UTF-8 >/dev/null 2>&1 || fail "a folder name is not UTF-8"
children() { (cd "$STORE/$1" && ls -1 | tr '\n' ' '); }
# Bytewise order, which for these names is also the kana order.
expect_children() { [ "$(children "$1")" = "$2" ] || fail "$1 holds: $(children "$1")"; }
expect_children DATA "日本語 英語 記号 "
expect_children DATA/英語 "A B C D E F G H I J K L M N O P Q R S T U V W X Y Z "
expect_children DATA/日本語 "あ行 か行 さ行 た行 な行 は行 ま行 や行 ら行 わ行 "
expect_children DATA/日本語/か行 "か き く け こ "
expect_children DATA/日本語/や行 "や ゆ よ "
expect_children DATA/日本語/わ行 "わ を ん "
[ -d "$STORE/DATA/日本語/か行/き" ] && [ -d "$STORE/DATA/記号" ] || fail "no folder DATA/日本語/か行/き or DATA/記号"

# ---- a later launch leaves the tree as it is
rmdir "$STORE/DATA/英語/Q"
word=$STORE/DATA/日本語/か行/き/1.txt
printf '%s\r\n%s\r\r\n%s' "$(printf 'きつね' | iconv -f UTF-8 -t CP932)" \
    "$(printf '動物' | iconv -f UTF-8 -t CP932)" "$(printf '二行目' | iconv -f UTF-8 -t CP932)" >"$word"
cp "$word" "$SCRATCH/word.copy"
before=$(folders "$STORE")
launch "$SCRATCH/second.log" "second launch"
! grep -q 'Made the word store' "$SCRATCH/second.log" || fail "the second launch made the store again"
[ ! -e "$STORE/DATA/英語/Q" ] || fail "the second launch made the removed folder DATA/英語/Q"
cmp -s "$word" "$SCRATCH/word.copy" || fail "the second launch changed the word file"
[ "$(folders "$STORE")" = "$before" ] || fail "the second launch changed the tree"

# ---- the installed wordoria-cli finds the launcher's store from anywhere
out=$(cd "$SCRATCH" && env -u WORDORIA_DATA "$BIN/wordoria-cli" list き) ||
    fail "wordoria-cli did not find the launcher's store in $STORE"
[ "$out" = "$(printf '1.txt\tきつね')" ] || fail "wordoria-cli list き in the launcher's store said: $out"

echo "install: passed"
