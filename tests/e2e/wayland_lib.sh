# Shared by both halves of wayland_e2e.sh: the program's window on an X
# server (Xvfb, or Weston's XWayland), its frame hints, and a picture of its
# client area once it stops changing.

# find_window PID: sets WINDOW to the visible Wordoria window of that
# process, and CLIENT to its client area as a crop geometry (WxH+X+Y).
# Positions come from xwininfo: under Weston xdotool reads them wrong.
find_window() {
    WINDOW=""
    for _ in $(seq 1 300); do
        for candidate in $(xdotool search --onlyvisible --name '^Wordoria$' 2>/dev/null); do
            [ "$(xdotool getwindowpid "$candidate" 2>/dev/null)" = "$1" ] && WINDOW=$candidate
        done
        [ -n "$WINDOW" ] && break
        kill -0 "$1" 2>/dev/null || return 1
        sleep 0.1
    done
    [ -n "$WINDOW" ] || return 1
    window_geometry
}

# window_geometry: CLIENT, the window's client area as it is now. A desktop
# may still place the window after it is mapped.
window_geometry() {
    local info
    info=$(xwininfo -id "$WINDOW") || return 1
    local x y w h
    x=$(echo "$info" | sed -n 's/.*Absolute upper-left X: *//p')
    y=$(echo "$info" | sed -n 's/.*Absolute upper-left Y: *//p')
    w=$(echo "$info" | sed -n 's/.*Width: *//p')
    h=$(echo "$info" | sed -n 's/.*Height: *//p')
    CLIENT=${w}x${h}+${x}+${y}
}

# check_frame_hints: the window asks for a fixed size (least and most the
# same, its own) and its frame offers no maximise but moving and minimising
# (Motif functions); else says why in FRAME_FAULT.
check_frame_hints() {
    local hints least most motif functions
    hints=$(xprop -id "$WINDOW" WM_NORMAL_HINTS)
    least=$(echo "$hints" | sed -n 's/.*minimum size: *//p')
    most=$(echo "$hints" | sed -n 's/.*maximum size: *//p')
    FRAME_FAULT="the window's size is not fixed: least '$least', most '$most'"
    [ -n "$least" ] && [ "$least" = "$most" ] || return 1
    FRAME_FAULT="the fixed size $least is not the window's ${CLIENT%%+*}"
    [ "$least" = "$(echo "${CLIENT%%+*}" | sed 's/x/ by /')" ] || return 1
    motif=$(xprop -id "$WINDOW" _MOTIF_WM_HINTS | sed -n 's/.*= *//p')
    functions=$(echo "$motif" | cut -d, -f2 | tr -d ' ')
    FRAME_FAULT="no Motif hints saying which functions the frame offers: '$motif'"
    [ -n "$functions" ] || return 1
    # MWM_FUNC_MOVE 0x4, MWM_FUNC_MINIMIZE 0x8, MWM_FUNC_MAXIMIZE 0x10
    FRAME_FAULT="the frame may maximise the window (functions $functions)"
    [ $((functions & 0x10)) -eq 0 ] || return 1
    FRAME_FAULT="the frame may not move or minimise the window (functions $functions)"
    [ $((functions & 0xC)) -eq $((0xC)) ]
}

# wait_settled SHOOT FILE: takes pictures with SHOOT until two in a row show
# the same client area at the same place, and keeps that area in FILE. The
# window is looked up on SETTLE_DISPLAY when set (the X server of a Wayland
# desktop, whose pictures come from the compositor).
wait_settled() {
    local previous=""
    local folder
    folder=$(mktemp -d)
    for _ in $(seq 1 40); do
        sleep 0.3
        DISPLAY=${SETTLE_DISPLAY:-$DISPLAY} window_geometry || continue
        $1 "$folder/screen.png" || continue
        convert "$folder/screen.png" -crop "$CLIENT" +repage "$folder/client.png" || continue
        local sum
        sum="$CLIENT $(convert "$folder/client.png" rgb:- | md5sum)"
        if [ "$sum" = "$previous" ]; then
            mv "$folder/client.png" "$2"
            rm -rf "$folder"
            return 0
        fi
        previous=$sum
    done
    rm -rf "$folder"
    return 1
}
