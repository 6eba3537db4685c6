#!/bin/bash
# A Windows not set to Japanese, under Wine: with LANG=en_US.UTF-8 (code page
# 1252, whether or not that locale is generated: Wine reads the name)
# Wordoria.exe shows one box with caption Wordoria before its window, and
# once it is answered the main window comes and the program ends as always;
# wordoria-cli.exe puts the same note on standard error, in English as Wine's
# display language is then, and goes on. With LANG=ja_JP.UTF-8 (code page
# 932) neither says anything.
# Usage: code_page_e2e.sh WINDOWS_BUILD_DIR OUTPUT_DIR [WINE]   (run under xvfb-run)
#   WINE: /usr/lib/wine/wine64 (the default) for the x86_64 build,
#   /usr/lib/wine/wine for the i686 one.
set -u
. "$(dirname "$0")/lib.sh"
BUILD=$(cd "$1" && pwd) || fail "no build folder $1"
mkdir -p "$2"
OUT=$(cd "$2" && pwd)
WINE=${3:-/usr/lib/wine/wine64}
RUNNER=$WINE
export WINEPREFIX=${WINEPREFIX:-$HOME/.wine-wordoria} WINEDEBUG=-all
rm -f "$OUT"/code-page-*
WORK=$(mktemp -d)
trap 'stop_wordoria; rm -rf "$WORK"' EXIT

# in_locale LOCALE COMMAND...: the Wine locale for one command only; the
# shell and xdotool keep a UTF-8 locale that exists.
in_locale() { local locale=$1; shift; env LANG="$locale" LC_ALL="$locale" "$@"; }

# --- wordoria-cli.exe: the note on standard error, then the usual output and exit code.
# cli_help LOCALE: sets CLI_OUT and CLI_ERR (LF line ends).
cli_help() {
    (cd "$WORK" && in_locale "$1" "$WINE" "$BUILD/cli/wordoria-cli.exe" --help \
        >"$OUT/code-page-cli-$1.out" 2>"$OUT/code-page-cli-$1.err")
    local status=$?
    [ "$status" -eq 0 ] || fail "wordoria-cli --help ended with $status in $1"
    CLI_OUT=$(tr -d '\r' <"$OUT/code-page-cli-$1.out")
    # Less Wine's own lines when it makes or updates the prefix.
    CLI_ERR=$(tr -d '\r' <"$OUT/code-page-cli-$1.err" | grep -v '^wine: ')
}

# Japanese first: a new prefix is made in the locale every Wine step of ours
# uses, and keeps the charset of its message font from then on (Shift-JIS,
# whose font has Japanese; in a prefix first made under en_US, Wine's font
# links name Windows' Japanese fonts, which Debian lacks).
cli_help ja_JP.UTF-8
[ -z "$CLI_ERR" ] || fail "ja_JP: wordoria-cli said: $CLI_ERR"
# In the display language Wine takes from the locale, in code page 932 (not a console).
[ "$(printf '%s\n' "$CLI_OUT" | head -n 1 | iconv -f CP932 -t UTF-8)" = "使い方: wordoria-cli [--data FOLDER] COMMAND ..." ] ||
    fail "ja_JP: no usage in Japanese"

cli_help en_US.UTF-8
# One language: English, in ASCII, which reads right in code page 1252.
[ "$(printf '%s\n' "$CLI_ERR" | wc -l)" -eq 1 ] || fail "en_US: the note is not one line: $CLI_ERR"
printf '%s\n' "$CLI_ERR" | grep -qx "wordoria-cli: Windows' system locale (\"Language for non-Unicode programs\") is not Japanese (Japan), so every index category will read empty and no word can be imported. To set it: Control Panel > Clock and Region > Region > the Administrative tab > Change system locale\.\.\. > Japanese (Japan), OK, and restart Windows\." ||
    fail "en_US: the line is not the English note: $CLI_ERR"
[ "$(printf '%s\n' "$CLI_OUT" | head -n 1)" = "usage: wordoria-cli [--data FOLDER] COMMAND ..." ] ||
    fail "en_US: no usage after the note"

echo "wordoria-cli: passed"

# --- Wordoria.exe
MAIN_WIDTH=800   # the client area alone; no box is as wide

start_program() {  # LOCALE
    (cd "$WORK" && exec env LANG="$1" LC_ALL="$1" "$WINE" "$BUILD/app/Wordoria.exe") &
    PID=$!
}

# visible_windows: "id width" of every visible window of the program.
visible_windows() {
    local id
    for id in $(xdotool search --onlyvisible --classname '^wordoria\.exe$' 2>/dev/null); do
        eval "$(xdotool getwindowgeometry --shell "$id" 2>/dev/null)" && echo "$id $WIDTH"
    done
}

# wait_named_window: waits for a visible window named Wordoria, drawn; sets
# FOUND, FOUND_WIDTH and the WIN_ geometry.
wait_named_window() {
    wait_for 120 "a window named Wordoria" main_window_shown  # a first start makes the Wine prefix
    FOUND=$(visible_window '^Wordoria$')
    eval "$(xdotool getwindowgeometry --shell "$FOUND")"
    FOUND_WIDTH=$WIDTH
    WIN_X=$X
    WIN_Y=$Y
    WIN_W=$WIDTH
    WIN_H=$HEIGHT
    WINDOW=$FOUND
    if [ "$FOUND_WIDTH" -ge "$MAIN_WIDTH" ]; then
        shot_when "" "the main window's first page" in_mode view
    else
        settled_shot "" "the box drawn" box_drawn "$FOUND"
    fi
}

# other_window MAIN: the first visible window of the program that is not MAIN.
other_window() { visible_windows | awk -v main="$1" '$1 != main { print $1; exit }'; }
other_window_shown() { [ -n "$(other_window "$1")" ]; }
other_window_gone() { [ -z "$(other_window "$1")" ]; }

# answer_other_window MAIN KEY: the one visible window that is not MAIN (a
# message box), once drawn, focused and given KEY; waits until it has gone.
answer_other_window() {
    local box
    wait_for "$PATIENCE" "a message box" other_window_shown "$1"
    box=$(other_window "$1")
    settled_shot "" "the message box drawn" box_drawn "$box"
    xdotool windowfocus --sync "$box"
    xdotool key "$2"
    wait_for "$PATIENCE" "the message box to close" other_window_gone "$1"
}

# end_as_always MAIN: the About box from the keyboard, then Escape, which
# ends the program with exit code 0 once the main window has the focus.
end_as_always() {
    xdotool key alt+h
    wait_for "$PATIENCE" "the Help menu to open" menu_open
    xdotool key a
    answer_other_window "$1" Return
    wait_for "$PATIENCE" "the main window to take the keyboard focus back" main_window_focused
    xdotool key Escape
    wait_exit "$PATIENCE"
    [ "$STATUS" -eq 0 ] || fail "exit code $STATUS after Escape"
}

# main_window_alone LOCALE NOT_MAIN NOT_ALONE: the next window named Wordoria
# is the main window and the program's only one (else fails with the given
# words); a screenshot of it, then the program ends as always.
main_window_alone() {
    wait_named_window
    local main=$FOUND
    [ "$FOUND_WIDTH" -ge "$MAIN_WIDTH" ] || fail "$1: $2"
    [ "$(visible_windows | wc -l)" -eq 1 ] || fail "$1: $3: $(visible_windows)"
    screenshot "$OUT/code-page-main-$1.png"
    end_as_always "$main"
    echo "Wordoria.exe, $1: passed"
}

start_program ja_JP.UTF-8
main_window_alone ja_JP.UTF-8 "a box came before the main window" "more than the main window is shown"

start_program en_US.UTF-8
wait_named_window
BOX=$FOUND
[ "$FOUND_WIDTH" -lt "$MAIN_WIDTH" ] || fail "en_US: the main window came without the box first"
[ "$(visible_windows | wc -l)" -eq 1 ] || fail "en_US: more than the box is shown: $(visible_windows)"
screenshot "$OUT/code-page-box.png"
xdotool windowfocus --sync "$BOX"
xdotool key Return
box_gone() { ! xdotool search --onlyvisible --name '^Wordoria$' 2>/dev/null | grep -qx "$BOX"; }
wait_for "$PATIENCE" "the box to close" box_gone
main_window_alone en_US.UTF-8 "after the box, no main window" "a second box after the first"

"${WINE%/*}/wineserver" -k 2>/dev/null || true
echo "1 passed, 0 failed"
