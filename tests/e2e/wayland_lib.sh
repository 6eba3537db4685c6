# Shared by both halves of wayland_e2e.sh: the program's window on an X
# server (Xvfb, or Weston's XWayland), its frame hints, and a picture of its
# client area once it stops changing.

# find_window PID: sets WINDOW to the visible Wordoria window of that
# process, and CLIENT to its client area as a crop geometry (WxH+X+Y).
# Positions come from xwininfo: under Weston xdotool reads them wrong.
# False if the process ends or no window comes within 30 s.
find_window() {
    local deadline=$((SECONDS + 30)) candidate
    WINDOW=""
    while [ -z "$WINDOW" ]; do
        for candidate in $(xdotool search --onlyvisible --name '^Wordoria$' 2>/dev/null); do
            [ "$(xdotool getwindowpid "$candidate" 2>/dev/null)" = "$1" ] && WINDOW=$candidate
        done
        [ -n "$WINDOW" ] && break
        kill -0 "$1" 2>/dev/null && [ "$SECONDS" -le "$deadline" ] || return 1
        sleep 0.1
    done
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

# client_picture SHOOT FILE: a picture by SHOOT of the window's client area
# where it is now, into FILE. The window is looked up on SETTLE_DISPLAY when
# set (the X server of a Wayland desktop, whose pictures come from the
# compositor).
client_picture() {
    local screen=$2.screen.png
    $1 "$screen" || return 1
    crop_client "$screen" "$2" || return 1
    rm -f "$screen"
}

# crop_client SCREEN FILE: the window's client area, where its X server says
# it is now, cut from the picture SCREEN into FILE.
crop_client() {
    DISPLAY=${SETTLE_DISPLAY:-$DISPLAY} window_geometry || return 1
    convert "$1" -crop "$CLIENT" +repage "$2"
}

# wait_settled SHOOT FILE: takes pictures with SHOOT until two in a row show
# the same client area at the same place, with the page drawn in it (more
# than a blank face and a menu bar), and keeps that area in FILE. False
# after 30 s.
wait_settled() {
    local previous="" sum folder deadline=$((SECONDS + 30))
    folder=$(mktemp -d)
    while [ "$SECONDS" -le "$deadline" ]; do
        sleep 0.3  # the time between the two pictures that must agree
        client_picture "$1" "$folder/client.png" || continue
        [ "$(convert "$folder/client.png" -format %k info:)" -gt 8 ] || { previous=""; continue; }
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

# wait_matching SHOOT REFERENCE FILE: takes pictures with SHOOT until the
# screen shows REFERENCE pixel for pixel, wherever the desktop has placed the
# window by then, and keeps that area in FILE. The place is searched for: a
# compositor may draw the window elsewhere than its X server says (Weston
# has put the frame, not the client area, at the client's X position). False
# after 30 s, with DIFFERING saying in how many pixels the area at the X
# position differed.
wait_matching() {
    local deadline=$((SECONDS + 30)) screen=$3.screen.png place
    while :; do
        if $1 "$screen"; then
            if place=$(python3 "$(dirname "${BASH_SOURCE[0]}")/find_picture.py" "$screen" "$2"); then
                convert "$screen" -crop "$place" +repage "$3"
                rm -f "$screen"
                return 0
            fi
            DIFFERING="no window geometry"
            crop_client "$screen" "$3" && DIFFERING=$(compare -metric AE "$2" "$3" null: 2>&1)
        else
            DIFFERING="no picture"
        fi
        [ "$SECONDS" -le "$deadline" ] || { rm -f "$screen"; return 1; }
        sleep 0.1
    done
}
