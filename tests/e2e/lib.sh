# Shared by the end-to-end scripts: start Wordoria under Xvfb, find its
# window, click at window-relative points, read pixels of screenshots.
# Runs inside xvfb-run; needs xdotool and ImageMagick.

. "$(dirname "${BASH_SOURCE[0]}")/../../scripts/utf8-locale.sh"

fail() { echo "FAIL: $*" >&2; exit 1; }

# Real X input needs the real X platform, whatever the tests around us use.
export QT_QPA_PLATFORM=xcb
PID=""
# Where the waits below keep the screenshot they judge.
SHOT_DIR=$(mktemp -d)
SHOT=$SHOT_DIR/shot.png
# Leaves no program behind, whatever happened.
stop_wordoria() {
    rm -rf "$SHOT_DIR"
    [ -n "$PID" ] && kill "$PID" 2>/dev/null
}

# How long a step may take before the test gives up on it: far beyond what
# any step takes, even under Wine on a loaded machine.
PATIENCE=${E2E_PATIENCE:-30}

# poll_until SECONDS COMMAND...: runs COMMAND a tenth of a second apart until
# it succeeds; false when SECONDS pass first.
poll_until() {
    local deadline=$((SECONDS + $1))
    shift
    until "$@"; do
        [ "$SECONDS" -le "$deadline" ] || return 1
        sleep 0.1
    done
}

# wait_for SECONDS WHAT COMMAND...: poll_until, failing with what was awaited.
wait_for() {
    local seconds=$1 what=$2
    shift 2
    poll_until "$seconds" "$@" || fail "waited $seconds s for $what"
}

# visible_window PATTERN: the first visible window whose name matches.
visible_window() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1; }
window_shown() { [ -n "$(visible_window "$1")" ]; }
window_gone() { [ -z "$(visible_window "$1")" ]; }
program_ended() { ! kill -0 "$PID" 2>/dev/null; }

# main_window_shown: whether the program's window is up; fails at once if
# the program ended instead.
main_window_shown() {
    program_ended && fail "the program ended before its window showed"
    window_shown '^Wordoria$'
}

# start_wordoria BINARY WORKDIR [RUNNER [ARGUMENTS...]]: starts it in WORKDIR
# (through RUNNER, such as wine, when not empty), sets PID and WINDOW, and
# waits until the window shows its first page.
start_wordoria() {
    (cd "$2" && exec ${3:-} "$1" "${@:4}") &
    PID=$!
    wait_for 60 "the Wordoria window" main_window_shown  # Wine takes its time on a first start
    WINDOW=$(visible_window '^Wordoria$')
    eval "$(xdotool getwindowgeometry --shell "$WINDOW")"
    WIN_X=$X
    WIN_Y=$Y
    WIN_W=$WIDTH
    WIN_H=$HEIGHT
    settled_shot "" "the window's first page" shows 698 478 255,255,255
}

# click_at X Y: a real left click at window coordinates. What it changes is
# for the caller to wait for.
click_at() {
    move_pointer $((WIN_X + $1)) $((WIN_Y + $2))
    xdotool click 1
}

# screenshot FILE
screenshot() { import -window root "$1"; }

# pixel FILE X Y: prints "r,g,b" of a window pixel in a root screenshot.
pixel() {
    convert "$1" -format "%[fx:int(255*p{$((WIN_X + $2)),$((WIN_Y + $3))}.r)],%[fx:int(255*p{$((WIN_X + $2)),$((WIN_Y + $3))}.g)],%[fx:int(255*p{$((WIN_X + $2)),$((WIN_Y + $3))}.b)]" info:
}

# wait_exit SECONDS: waits for the program to end, sets STATUS.
wait_exit() {
    poll_until "$1" program_ended || { kill "$PID"; fail "the program did not end within $1 s"; }
    wait "$PID"
    STATUS=$?
}

# Client-area origin inside the window: below the menu bar, inside the edge.
CLIENT_DX=2
CLIENT_DY=22

# press_at X Y: a press held as a hand holds it, at client coordinates.
# PRESS_HOLD lengthens the hold where input reaches the program in batches.
# What the press changes is for the caller to wait for.
press_at() {
    point_at "$1" "$2"
    sleep 0.1  # a hand comes to rest before it presses
    xdotool mousedown 1
    sleep "${PRESS_HOLD:-0.2}"
    xdotool mouseup 1
}

# move_pointer X Y: moves the pointer to screen coordinates and waits until
# it is there (xdotool's --sync waits for a move that never comes when it is
# there already).
move_pointer() {
    local X Y SCREEN WINDOW
    eval "$(xdotool getmouselocation --shell)"
    [ "$X $Y" = "$1 $2" ] || xdotool mousemove --sync "$1" "$2"
}

# point_at X Y: rests the pointer at client coordinates.
point_at() { move_pointer $((WIN_X + CLIENT_DX + $1)) $((WIN_Y + CLIENT_DY + $2)); }

# client_pixel FILE X Y: "r,g,b" of a client pixel in a root screenshot.
client_pixel() { pixel "$1" $((CLIENT_DX + $2)) $((CLIENT_DY + $3)); }

# shows X Y R,G,B: whether the last screenshot taken by the waits below has
# that colour at client X Y.
shows() { [ "$(client_pixel "$SHOT" "$1" "$2")" = "$3" ]; }

# client_sum FILE: a checksum of the client area's pixels in a root screenshot.
client_sum() {
    convert "$1" -crop "$((WIN_W - CLIENT_DX))x$((WIN_H - CLIENT_DY))+$((WIN_X + CLIENT_DX))+$((WIN_Y + CLIENT_DY))" \
        +repage rgb:- | md5sum
}

# await_shot STEADY FILE WHAT [CHECK...]: screenshots into SHOT until CHECK
# (which judges SHOT, and may say in FAULT what it missed) holds, and with STEADY 1 until the client area also is
# as in the screenshot before, so nothing is still being drawn. Keeps that
# screenshot in FILE (unless empty); on giving up, the last one, for a person.
await_shot() {
    local steady=$1 file=$2 what=$3 previous="" sum deadline=$((SECONDS + PATIENCE))
    shift 3
    FAULT=""
    while :; do
        [ -n "$PID" ] && program_ended && fail "the program ended while the test waited for $what"
        screenshot "$SHOT" || fail "no screenshot"
        if [ $# -eq 0 ] || "$@"; then
            [ "$steady" = 1 ] || break
            sum=$(client_sum "$SHOT")
            [ "$sum" = "$previous" ] && break
            previous=$sum
        else
            previous=""
        fi
        if [ "$SECONDS" -gt "$deadline" ]; then
            [ -n "$file" ] || file=${OUT:-.}/failed-wait.png
            cp "$SHOT" "$file"
            fail "waited $PATIENCE s for $what${FAULT:+ ($FAULT)} (the last screenshot: $file)"
        fi
        sleep 0.1
    done
    [ -z "$file" ] || cp "$SHOT" "$file"
}

# dark_pixels X Y W H: how many dark pixels SHOT has in that client rectangle.
dark_pixels() {
    convert "$SHOT" -crop "$3x$4+$((WIN_X + CLIENT_DX + $1))+$((WIN_Y + CLIENT_DY + $2))" +repage \
        -colorspace gray -threshold 50% -format '%[fx:int(w*h*(1-mean)+0.5)]' info:
}
# inked X Y W H: whether text shows there (more than a caret's pixels).
inked() { [ "$(dark_pixels "$@")" -gt 30 ]; }
# blank X Y W H: whether nothing but perhaps a caret shows there.
blank() { [ "$(dark_pixels "$@")" -le 20 ]; }

# page_differs FILE: whether SHOT's page (the client area right of the index
# and the page buttons, which the pointer lights) differs from FILE's.
page_differs() {
    local page="680x570+$((WIN_X + CLIENT_DX + 110))+$((WIN_Y + CLIENT_DY))"
    [ "$(compare -metric AE <(convert "$SHOT" -crop "$page" +repage png:-) \
        <(convert "$1" -crop "$page" +repage png:-) null: 2>&1)" != 0 ]
}

# list_row_chosen Y: whether the list row at client Y shows the choice's
# colour right of its text (white when not chosen).
list_row_chosen() { ! shows 300 "$1" 255,255,255 && ! shows 300 "$1" "$DIALOG_COLOUR"; }

# shot_when FILE WHAT CHECK...: the first screenshot CHECK holds on. For
# dialogs, where a field's caret may blink.
shot_when() { await_shot 0 "$@"; }

# settled_shot FILE WHAT [CHECK...]: the first screenshot CHECK holds on with
# the client area as in the one before.
settled_shot() { await_shot 1 "$@"; }

# The menu bar's mode commands, the dialogs' face and a point of the client
# area that is white in view mode and the face in the dialogs (Wine's
# journey sets its own). DELETE_LIST is inside the deletion dialog's list,
# where the registration dialog shows its face.
MENU_Y=9
VIEW_X=190
REGIST_X=275
DELETE_X=373
DIALOG_COLOUR="240,240,240"
PROBE="698 478"
DELETE_LIST="400 560"

# in_mode view|regist|delete: whether SHOT shows that mode.
in_mode() {
    case $1 in
    view) shows $PROBE 255,255,255 ;;
    regist) shows $PROBE "$DIALOG_COLOUR" && shows $DELETE_LIST "$DIALOG_COLOUR" ;;
    delete) shows $PROBE "$DIALOG_COLOUR" && shows $DELETE_LIST 255,255,255 ;;
    esac
}

# choose_mode view|regist|delete [FILE]: chooses the mode on the menu bar and
# waits until the client area shows it (in view mode, wholly painted).
choose_mode() {
    local x
    case $1 in
    view) x=$VIEW_X ;;
    regist) x=$REGIST_X ;;
    delete) x=$DELETE_X ;;
    esac
    click_at "$x" "$MENU_Y"
    if [ "$1" = view ]; then
        settled_shot "${2:-}" "view mode" in_mode view
    else
        shot_when "${2:-}" "$1 mode" in_mode "$1"
    fi
}

# word_files FOLDER COUNT PREFIX: COUNT word files in the store's bytes.
word_files() {
    for i in $(seq 1 "$2"); do
        printf '%s\r\n%s\r\r\n%s' "$(echo "$3 $i" | iconv -f UTF-8 -t CP932)" \
            "$(echo "一行目 $i" | iconv -f UTF-8 -t CP932)" "$(echo "二行目" | iconv -f UTF-8 -t CP932)" > "$1/$i.txt"
    done
}

# box_drawn ID: whether SHOT shows the box of that window drawn: text on
# its face (an X window not yet painted is one colour).
box_drawn() {
    local geometry
    geometry=$(xwininfo -id "$1" 2>/dev/null | awk '/Absolute upper-left X/ {x = $NF}
        /Absolute upper-left Y/ {y = $NF} /^ *Width:/ {w = $NF} /^ *Height:/ {h = $NF}
        END {print w "x" h "+" x "+" y}')
    local dark
    dark=$(convert "$SHOT" -crop "$geometry" +repage -colorspace gray -threshold 50% \
        -format '%[fx:1-mean]' info: 2>/dev/null) || return 1
    awk -v dark="$dark" 'BEGIN { exit !(dark > 0.001 && dark < 0.5) }'
}

# answer_box CAPTION KEY [FILE]: waits for the message box of that caption
# and for it to be drawn (FILE keeps its screenshot), gives it the focus,
# presses KEY (Return takes the default button) and waits until it has gone.
answer_box() {
    local box
    wait_for "$PATIENCE" "the box '$1'" window_shown "$1"
    box=$(visible_window "$1")
    settled_shot "${3:-}" "the box '$1' drawn" box_drawn "$box"
    xdotool windowfocus --sync "$box"
    xdotool key "$2"
    wait_for "$PATIENCE" "the box '$1' to close" window_gone "$1"
}

# clear_field: empties the field that has the focus key by key, as Windows'
# edit controls take no Ctrl+A.
clear_field() {
    xdotool key ctrl+End
    xdotool key --repeat 40 --delay 5 BackSpace
}

# has_bytes FILE HEX: whether FILE holds exactly those bytes (od -An -tx1).
has_bytes() { [ -f "$1" ] && [ "$(od -An -tx1 <"$1")" = "$2" ]; }

# word_file_written FILE NAME CONTENT...: waits until FILE holds the store's
# bytes of that word (its content lines joined as the dialog joins them).
word_file_written() {
    local file=$1 expected
    expected=$(printf '%s\r\n%s' "$2" "$3" | iconv -f UTF-8 -t CP932 | od -An -tx1)
    poll_until "$PATIENCE" has_bytes "$file" "$expected" ||
        fail "waited $PATIENCE s for $file to hold the word $2: $(od -An -tx1 <"$file" 2>&1)"
}

# type_text DELAY_MS TEXT: types as the keyboard does. A character no key
# gives (Japanese) is first put on a spare key of its own: xdotool would
# otherwise map it onto a key for the moment of the press and take it back
# after, and a busy program that reads the press late reads another key.
type_text() {
    local delay=$1 text=$2 char code keycode=200
    for char in $(printf '%s' "$text" | grep -o .); do
        code=$(printf '%s' "$char" | iconv -f UTF-8 -t UTF-32BE | od -An -tx1 | tr -d ' \n')
        [ $((16#$code)) -lt 128 ] && continue
        xmodmap -pke | grep -q "= U${code#0000} " && continue
        xmodmap -e "keycode $keycode = U${code#0000} U${code#0000}" || fail "could not put $char on a key"
        keycode=$((keycode + 1))
    done
    xdotool type --delay "$delay" "$text"
}

# register_ki NAME CONTENT: registers a word under き through the dialog.
register_ki() {
    choose_mode regist
    press_at 65 99                  # the radio button き
    press_at 100 405                # the word-name field
    clear_field
    type_text 150 "$1"
    press_at 100 490                # the content field
    clear_field
    type_text 100 "$2"
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

# program_windows: how many windows of the program are shown.
program_windows() { xdotool search --onlyvisible --pid "$PID" 2>/dev/null | wc -l; }
menu_open() { [ "$(program_windows)" -ge 2 ]; }
# main_window_focused: whether the X focus is in the main window. Wine,
# with no window manager, leaves it on the root window, which sends keys to
# the window under the pointer, and moves the Win32 focus itself, as the box
# closes.
main_window_focused() {
    local id root
    id=$(xdotool getwindowfocus -f 2>/dev/null) || return 1
    if [ -n "${RUNNER:-}" ]; then
        root=$(xwininfo -root | sed -n 's/^xwininfo: Window id: \(0x[0-9a-f]*\).*/\1/p')
        [ $((id)) -eq $((root)) ] && return 0
    fi
    while [ -n "$id" ] && [ $((id)) -ne 0 ]; do
        [ $((id)) -eq $((WINDOW)) ] && return 0
        id=$(xwininfo -id "$id" -tree 2>/dev/null | sed -n 's/^ *Parent window id: \(0x[0-9a-f]*\).*/\1/p')
    done
    return 1
}

# focus_main_window: the About box (Alt+H, A), answered with Return. Closing
# it activates the main window again, which gives it the keyboard focus; a
# click does not, and a hidden dialog's control may hold the focus before.
focus_main_window() {
    xdotool key alt+h
    # A chooses only in an open menu.
    wait_for "$PATIENCE" "the Help menu to open" menu_open
    xdotool key a
    answer_box 'バージョン情報' Return
    # A key sent before the main window is active again goes to no window.
    wait_for "$PATIENCE" "the main window to take the keyboard focus back" main_window_focused
}

# end_with_escape: with the focus given to the main window, Escape must end
# the program at once with exit code 0.
end_with_escape() {
    focus_main_window
    xdotool key Escape
    wait_exit "$PATIENCE"
    [ "$STATUS" -eq 0 ] || fail "exit code $STATUS after Escape"
}
