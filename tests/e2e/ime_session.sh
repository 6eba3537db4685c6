# Sourced by ime_e2e.sh: one desktop session with a real input method, run as
# the user the test runs as. run_session METHOD BINARY OUTPUT_DIR starts an X
# server, a session bus and the input method (fcitx5 or ibus, each with Mozc
# active), types into the registration dialog with real keys and checks what
# the fields show and what the store keeps. It ends every process it started.

. "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

# Every process of the session carries this mark, and only those: daemons
# that leave their parent (mozc_server, IBus's helpers) are found by it.
SESSION_MARK=wordoria-ime-$$-$RANDOM
export WORDORIA_IME_SESSION=$SESSION_MARK

# session_processes: the processes that carry this session's mark.
session_processes() {
    local pid
    for pid in $(pgrep -u "$(id -u)"); do
        [ "$pid" = "$$" ] && continue
        { tr '\0' '\n' <"/proc/$pid/environ"; } 2>/dev/null | grep -qx "WORDORIA_IME_SESSION=$SESSION_MARK" &&
            echo "$pid"
    done
}

no_session_processes() { [ -z "$(session_processes)" ]; }

# Asked to end first, so that the X server removes its socket and lock file;
# what is left after two seconds is killed.
end_session() {
    local pids
    stop_wordoria
    pids=$(session_processes)
    [ -n "$pids" ] && kill $pids 2>/dev/null
    poll_until 2 no_session_processes
    pids=$(session_processes)
    [ -n "$pids" ] && kill -KILL $pids 2>/dev/null
    rm -rf "$WORK"
}

# start_display: an X server of its own, as a login would start one.
start_display() {
    local fd_file=$HOME/display.$$
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fd_file" >/dev/null 2>&1 &
    disown
    wait_for 10 "Xvfb to start" test -s "$fd_file"
    export DISPLAY=:$(cat "$fd_file")
    rm -f "$fd_file"
}

# bus_has NAME: whether a client owns NAME on the session bus.
bus_has() {
    dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
        org.freedesktop.DBus.NameHasOwner "string:$1" 2>/dev/null | grep -q 'boolean true'
}

# Fcitx 5 with one group, the US keyboard and Mozc, Mozc the default and
# active from the start: what a Japanese user's profile holds.
start_fcitx5() {
    mkdir -p "$XDG_CONFIG_HOME/fcitx5"
    cat >"$XDG_CONFIG_HOME/fcitx5/profile" <<'EOF'
[Groups/0]
Name=Default
Default Layout=us
DefaultIM=mozc

[Groups/0/Items/0]
Name=keyboard-us
Layout=

[Groups/0/Items/1]
Name=mozc
Layout=

[GroupOrder]
0=Default
EOF
    printf '[Behavior]\nActiveByDefault=True\n' >"$XDG_CONFIG_HOME/fcitx5/config"
    fcitx5 >"$OUT/fcitx5.log" 2>&1 &
    disown
    poll_until 20 bus_has org.fcitx.Fcitx5 || { cat "$OUT/fcitx5.log" >&2; fail "Fcitx 5 did not start"; }
    export QT_IM_MODULE=fcitx
}

# ibus engine NAME says it failed even where it switched: what counts is the
# engine IBus reports afterwards.
ibus_takes_mozc() {
    ibus engine mozc-jp >/dev/null 2>&1
    [ "$(ibus engine 2>/dev/null)" = "mozc-jp" ]
}

# IBus with Mozc as its engine, Mozc in kana input from the start (it would
# begin in direct input otherwise, which a Japanese user switches off once).
start_ibus() {
    mkdir -p "$XDG_CONFIG_HOME/mozc"
    cat >"$XDG_CONFIG_HOME/mozc/ibus_config.textproto" <<'EOF'
engines {
  name : "mozc-jp"
  longname : "Mozc"
  layout : "default"
  layout_variant : ""
  layout_option : ""
  rank : 80
}
active_on_launch: True
EOF
    ibus-daemon --xim --panel=disable >"$OUT/ibus.log" 2>&1 &
    disown
    poll_until 30 ibus_takes_mozc || { cat "$OUT/ibus.log" >&2; fail "IBus did not start with Mozc"; }
    export QT_IM_MODULE=ibus
}

# shown_windows: "WIDTH HEIGHT X Y" (screen) of every window shown but the
# program's: the input method's candidate, suggestion and status windows,
# which it may show or not, wherever it likes.
shown_windows() {
    local id info
    for id in $(xwininfo -root -children | awk '$1 ~ /^0x/ {print $1}'); do
        [ $((id)) = "$WINDOW" ] && continue
        info=$(xwininfo -id "$id" -stats 2>/dev/null) || continue
        grep -q 'Map State: IsViewable' <<<"$info" || continue
        awk '/Absolute upper-left X/ {x = $NF} /Absolute upper-left Y/ {y = $NF}
             /^ *Width:/ {w = $NF} /^ *Height:/ {h = $NF} /Border width/ {b = $NF}
             END {print w + 2 * b, h + 2 * b, x - b, y - b}' <<<"$info"
    done
}

# ime_screenshot FILE: the screen, and beside it (FILE without .png, then
# .windows) the other windows shown while it was taken: before and after,
# so that one that came or went meanwhile counts.
ime_screenshot() {
    { shown_windows; screenshot "$1"; shown_windows; } | sort -u >"${1%.png}.windows"
}

# ink FILE X Y W H: "WIDTH HEIGHT X Y" (client coordinates) of what is drawn
# on the white of a field inside that client rectangle; WIDTH 0 if nothing.
# The input method's windows count as white: what they show, borders
# included, is not the field's. The white frame makes white the background
# the trim cuts away, whatever the rectangle's corners hold (an underline
# as wide as the rectangle fills two of them).
ink() {
    local box w h x y hide=()
    while read -r w h x y; do
        hide+=(-draw "rectangle $x,$y $((x + w - 1)),$((y + h - 1))")
    done <"${1%.png}.windows"
    box=$(convert "$1" -fill white "${hide[@]}" \
        -crop "$4x$5+$((WIN_X + CLIENT_DX + $2))+$((WIN_Y + CLIENT_DY + $3))" +repage \
        -fuzz 10% -fill white -opaque white -bordercolor white -border 1 -trim \
        -format '%w %h %X %Y' info: 2>/dev/null)
    set -- $box "$2" "$3"
    case $3 in -*) echo "0 0 0 0"; return ;; esac
    echo "$1 $2 $(($5 + ${3#+} - 1)) $(($6 + ${4#+} - 1))"
}

# over_text FILE X Y W H: whether an input method's window lies over the
# middle half of the rows of that client rectangle, where the glyphs drawn
# in it are: it would hide them. One that only touches their top or bottom
# row, as a window placed just under the line may, hides nothing measured.
over_text() {
    local w h x y left=$((WIN_X + CLIENT_DX + $2)) top=$((WIN_Y + CLIENT_DY + $3 + $5 / 4))
    while read -r w h x y; do
        [ "$x" -lt $((left + $4)) ] && [ $((x + w)) -gt "$left" ] &&
            [ "$y" -lt $((top + $5 / 2)) ] && [ $((y + h)) -gt "$top" ] && return 0
    done <"${1%.png}.windows"
    return 1
}

# differing FILE_A FILE_B W H X Y: how many pixels of that client rectangle
# differ between two screenshots.
differing() {
    compare -metric AE -crop "$3x$4+$((WIN_X + CLIENT_DX + $5))+$((WIN_Y + CLIENT_DY + $6))" "$1" "$2" null: 2>&1
}

# check_name_composition SHOTS: kitsune showed as a composition of きつね,
# the very glyphs committed afterwards, underlined as compositions are. A
# candidate window may show anywhere but over the composition's glyphs.
check_name_composition() {
    local w h x y uw cw shot
    read -r w h x y < <(ink "$1-committed.png" 46 396 300 24)   # the name field's inside
    [ "$w" -gt 20 ] || fail "$METHOD: the name field shows nothing after Return"
    for shot in "$1-composing.png" "$1-committed.png"; do
        ! over_text "$shot" "$x" "$y" "$w" "$h" ||
            fail "$METHOD: an input method's window lies over the text in the field (see $shot)"
    done
    [ "$(differing "$1-composing.png" "$1-committed.png" "$w" "$h" "$x" "$y")" = 0 ] ||
        fail "$METHOD: the composition did not show the glyphs committed (see $1-composing.png)"
    # The rows under the glyphs: a line at least half their width before
    # Return (IBus draws it solid, Fcitx dashed), nothing after.
    read -r uw _ _ _ < <(ink "$1-composing.png" "$x" $((y + h)) "$w" 3)
    read -r cw _ _ _ < <(ink "$1-committed.png" "$x" $((y + h)) "$w" 3)
    [ "$uw" -gt $((w / 2)) ] && [ "$cw" = 0 ] ||
        fail "$METHOD: the text before Return was not underlined as a composition (see $1-composing.png)"
}

# check_conversion SHOTS: ねこ showed as two characters, Space made it one,
# still marked as a composition, and Return committed that one.
check_conversion() {
    local w h x y nw cw shot
    read -r w h x y < <(ink "$1-committed.png" 46 475 300 16)   # the content field's first line
    [ "$w" -gt 6 ] && [ "$w" -lt 16 ] || fail "$METHOD: the content field shows not one character after Return"
    # Where ねこ and 猫 are drawn, no window may hide them.
    for shot in "$1-neko.png" "$1-converted.png" "$1-committed.png"; do
        ! over_text "$shot" "$x" "$y" $((2 * w + 4)) "$h" ||
            fail "$METHOD: an input method's window lies over the text in the field (see $shot)"
    done
    read -r nw _ _ _ < <(ink "$1-neko.png" 46 "$y" 300 "$h")
    read -r cw _ _ _ < <(ink "$1-converted.png" 46 "$y" 300 "$h")
    [ "$nw" -ge $((w * 3 / 2)) ] || fail "$METHOD: neko did not show as two kana (see $1-neko.png)"
    [ "$cw" -gt 6 ] && [ "$cw" -lt $((w + 4)) ] ||
        fail "$METHOD: Space did not make one character of ねこ (see $1-converted.png)"
    [ "$(differing "$1-converted.png" "$1-committed.png" "$w" "$h" "$x" "$y")" != 0 ] ||
        fail "$METHOD: the conversion was committed before Return"
}

# field_settled FILE WHAT X Y W H [BEFORE]: ime_screenshot into FILE until
# the ink in that client rectangle is there, differs from BEFORE's (when
# given) and has the extent it had in the screenshot before: the input
# method has drawn what the keys asked (a blinking caret only delays this).
field_settled() {
    local file=$1 what=$2 previous="" now deadline=$((SECONDS + PATIENCE))
    shift 2
    while :; do
        ime_screenshot "$file"
        now=$(ink "$file" "$1" "$2" "$3" "$4")
        if [ "${now%% *}" != 0 ] &&
            { [ -z "${5:-}" ] || [ "$(differing "$5" "$file" "$3" "$4" "$1" "$2")" != 0 ]; } &&
            [ "$now" = "$previous" ]; then
            return 0
        fi
        previous=$now
        [ "$SECONDS" -le "$deadline" ] || fail "$METHOD: waited $PATIENCE s for $what (see $file)"
        sleep 0.3  # between the two screenshots that must agree, beyond a key's echo
    done
}

run_session() {
    local shot
    METHOD=$1
    export XDG_CONFIG_HOME=$HOME/.config XDG_CACHE_HOME=$HOME/.cache XDG_DATA_HOME=$HOME/.local/share
    export XDG_RUNTIME_DIR=$HOME/runtime
    mkdir -p "$HOME" "$XDG_CONFIG_HOME"
    mkdir -p -m 700 "$XDG_RUNTIME_DIR"
    begin_e2e "$2" "$3"
    trap end_session EXIT
    shot=$OUT/ime-$METHOD

    start_display
    eval "$(dbus-launch --sh-syntax)" || fail "no session bus"
    "start_$METHOD"

    start_wordoria "$BINARY" "$WORK"
    choose_mode regist
    press_at 65 99                      # the radio button き
    # The word-name field: the composition shows before Return commits it.
    press_at 100 405
    xdotool type --delay 150 kitsune
    field_settled "$shot-composing.png" "kitsune composed in the name field" 46 396 300 24
    xdotool key Return
    field_settled "$shot-name.png" "きつね committed in the name field" 46 396 300 24 "$shot-composing.png"
    # The content field: Space converts ねこ to 猫, Return commits it.
    press_at 100 490
    xdotool type --delay 150 neko
    field_settled "$shot-neko.png" "neko composed in the content field" 46 475 300 16
    xdotool key space
    field_settled "$shot-converted.png" "ねこ converted" 46 475 300 16 "$shot-neko.png"
    xdotool key Return
    field_settled "$shot-committed.png" "猫 committed" 46 475 300 16 "$shot-converted.png"

    check_name_composition "$shot"
    check_conversion "$shot"

    press_at 580 270                    # 決定
    answer_box '確認メッセージ' Return
    local file="$WORK/DATA/日本語/か行/き/1.txt"
    [ -f "$file" ] || fail "$METHOD: no word file was written"
    local bytes
    bytes=$(od -An -tx1 <"$file" | tr -d ' \n')
    [ "$bytes" = "82ab82c282cb0d0a944c" ] || fail "$METHOD: the word file holds $bytes"
    end_with_escape
    echo "$METHOD with Mozc: passed"
}
