# Shared by the end-to-end scripts: start Wordoria under Xvfb, find its
# window, click at window-relative points, read pixels of screenshots.
# Runs inside xvfb-run; needs xdotool and ImageMagick.

. "$(dirname "${BASH_SOURCE[0]}")/../../scripts/utf8-locale.sh"

fail() { echo "FAIL: $*" >&2; exit 1; }

# Real X input needs the real X platform, whatever the tests around us use.
export QT_QPA_PLATFORM=xcb
PID=""
# Leaves no program behind, whatever happened.
stop_wordoria() { [ -n "$PID" ] && kill "$PID" 2>/dev/null; }

# start_wordoria BINARY WORKDIR [RUNNER [ARGUMENTS...]]: starts it in WORKDIR
# (through RUNNER, such as wine, when not empty), sets PID and WINDOW.
start_wordoria() {
    (cd "$2" && exec ${3:-} "$1" "${@:4}") &
    PID=$!
    WINDOW=""
    for _ in $(seq 1 300); do  # Wine takes its time on a first start
        WINDOW=$(xdotool search --onlyvisible --name '^Wordoria$' 2>/dev/null | head -n 1)
        [ -n "$WINDOW" ] && break
        sleep 0.1
    done
    [ -n "$WINDOW" ] || fail "the Wordoria window did not appear"
    eval "$(xdotool getwindowgeometry --shell "$WINDOW")"
    WIN_X=$X
    WIN_Y=$Y
    sleep 0.5
}

# click_at X Y: a real left click at window coordinates.
click_at() {
    xdotool mousemove --sync $((WIN_X + $1)) $((WIN_Y + $2)) click 1
    sleep 0.4
}

# screenshot FILE
screenshot() { import -window root "$1"; }

# pixel FILE X Y: prints "r,g,b" of a window pixel in a root screenshot.
pixel() {
    convert "$1" -format "%[fx:int(255*p{$((WIN_X + $2)),$((WIN_Y + $3))}.r)],%[fx:int(255*p{$((WIN_X + $2)),$((WIN_Y + $3))}.g)],%[fx:int(255*p{$((WIN_X + $2)),$((WIN_Y + $3))}.b)]" info:
}

# wait_exit SECONDS: waits for the program to end, sets STATUS.
wait_exit() {
    for _ in $(seq 1 $(($1 * 10))); do
        kill -0 "$PID" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$PID" 2>/dev/null && { kill "$PID"; fail "the program did not end"; }
    wait "$PID"
    STATUS=$?
}

# Client-area origin inside the window: below the menu bar, inside the edge.
CLIENT_DX=2
CLIENT_DY=22

# press_at X Y: a press held as a hand holds it, at client coordinates.
# PRESS_HOLD lengthens the hold where input reaches the program in batches.
press_at() {
    xdotool mousemove --sync $((WIN_X + CLIENT_DX + $1)) $((WIN_Y + CLIENT_DY + $2))
    sleep 0.1
    xdotool mousedown 1
    sleep "${PRESS_HOLD:-0.2}"
    xdotool mouseup 1
    sleep 0.3
}

# point_at X Y: rests the pointer at client coordinates.
point_at() {
    xdotool mousemove --sync $((WIN_X + CLIENT_DX + $1)) $((WIN_Y + CLIENT_DY + $2))
    sleep 0.3
}

# client_pixel FILE X Y: "r,g,b" of a client pixel in a root screenshot.
client_pixel() { pixel "$1" $((CLIENT_DX + $2)) $((CLIENT_DY + $3)); }

# word_files FOLDER COUNT PREFIX: COUNT word files in the store's bytes.
word_files() {
    for i in $(seq 1 "$2"); do
        printf '%s\r\n%s\r\r\n%s' "$(echo "$3 $i" | iconv -f UTF-8 -t CP932)" \
            "$(echo "一行目 $i" | iconv -f UTF-8 -t CP932)" "$(echo "二行目" | iconv -f UTF-8 -t CP932)" > "$1/$i.txt"
    done
}

# answer_box CAPTION KEY: waits for the message box of that caption, gives it
# the focus and presses KEY (Return takes the default button).
answer_box() {
    local box=""
    for _ in $(seq 1 50); do
        box=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1)
        [ -n "$box" ] && break
        sleep 0.1
    done
    [ -n "$box" ] || fail "no box '$1'"
    sleep 0.4
    [ -n "${3:-}" ] && screenshot "$3"
    xdotool windowfocus --sync "$box"
    xdotool key "$2"
    sleep 0.5
}

# clear_field: empties the field that has the focus key by key, as Windows'
# edit controls take no Ctrl+A.
clear_field() {
    xdotool key ctrl+End
    xdotool key --repeat 40 --delay 5 BackSpace
}

# register_ki NAME CONTENT: registers a word under き through the dialog.
register_ki() {
    click_at 275 9                  # 辞書登録モード
    press_at 65 99                  # the radio button き
    press_at 100 405                # the word-name field
    clear_field
    xdotool type --delay 150 "$1"
    press_at 100 490                # the content field
    clear_field
    xdotool type --delay 100 "$2"
    press_at 580 270                # 決定
    answer_box '確認メッセージ' Return
}

# begin_e2e BINARY OUTPUT_DIR: a fresh working folder with its DATA tree, and
# clean-up of the folder and the program however the script ends. Sets
# BINARY, OUT and WORK.
begin_e2e() {
    BINARY=$1
    OUT=$2
    mkdir -p "$OUT"
    WORK=$(mktemp -d)
    trap 'stop_wordoria; rm -rf "$WORK"' EXIT
    "$(dirname "$BINARY")/../store/wordoria-make-data" "$WORK" || fail "no DATA tree"
}

# focus_main_window: the About box (Alt+H, A), answered with Return. Closing
# it activates the main window again, which gives it the keyboard focus; a
# click does not, and a hidden dialog's control may hold the focus before.
focus_main_window() {
    xdotool key alt+h
    # The menu must be open before A chooses in it: on a loaded machine it
    # once took longer than half a second, and A went nowhere.
    sleep 1.5
    xdotool key a
    answer_box 'バージョン情報' Return
    sleep 0.5
}

# end_with_escape: with the focus given to the main window, Escape must end
# the program at once with exit code 0.
end_with_escape() {
    focus_main_window
    xdotool key Escape
    wait_exit 5
    [ "$STATUS" -eq 0 ] || fail "exit code $STATUS after Escape"
}
