#!/bin/bash
# The polling loop on a real X server (Xvfb), as a user's desktop runs it:
# processor time of the program and of the X server, beside a bare 5 ms
# sleep loop run at the same time (the loop's floor), for the Linux program,
# the x86_64 build under 64-bit Wine and the i686 product under 32-bit Wine,
# in one run. Prints
#   [wine_|wine32_]desktop_idle:    pointer away from the window
#   [wine_|wine32_]desktop_hover:   pointer resting on the cell き (repainted every turn)
#   [wine_|wine32_]desktop_startup: from exec to the first frame that shows the view
# Usage: desktop.sh LINUX_BUILD WIN64_BUILD WIN32_BUILD TOOLS_DIR   (DESKTOP_SECONDS=30 per figure)
set -u
LINUX=$1
WIN64=$2
WIN32=$3
TOOLS=$4
SECONDS_EACH=${DESKTOP_SECONDS:-30}  # not SECONDS: bash counts its own run time in it
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
. "$ROOT/scripts/utf8-locale.sh"

WORK=$(mktemp -d)
PIDS=()
PREFIX64=${WINEPREFIX:-$ROOT/build/wine-prefix}
PREFIX32=${WINEPREFIX32:-$ROOT/build/wine32-prefix}
# Everything started here ends with the script, and is waited for, so that a
# second run never meets the first one's server or programs.
cleanup() {
    local pid
    for pid in "${PIDS[@]}"; do kill "$pid" 2>/dev/null; done
    WINEPREFIX=$PREFIX64 /usr/lib/wine/wineserver -k 2>/dev/null
    WINEPREFIX=$PREFIX32 /usr/lib/wine/wineserver -k 2>/dev/null
    for pid in "${PIDS[@]}"; do
        for _ in $(seq 1 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    done
    wait 2>/dev/null
    rm -rf "$WORK"
}
trap cleanup EXIT

# Nanoseconds a process has run on a processor, all its threads.
cpu_ns() {
    local total=0 ns stat
    for stat in /proc/"$1"/task/*/schedstat; do
        read -r ns _ < "$stat" 2>/dev/null || continue
        total=$((total + ns))
    done
    echo "$total"
}

# share NS_BEFORE NS_AFTER WALL_NS: percent of one core.
share() { echo "$1 $2 $3" | awk '{ printf "%.2f", 100 * ($2 - $1) / $3 }'; }

# measure NAME PROGRAM_PID: program and X server beside the floor.
measure() {
    local p0 x0 f0 t0 p1 x1 f1 t1 program xserver floor process
    p0=$(cpu_ns "$2"); x0=$(cpu_ns "$XVFB"); f0=$(cpu_ns "$FLOOR"); t0=$(date +%s%N)
    sleep "$SECONDS_EACH"
    p1=$(cpu_ns "$2"); x1=$(cpu_ns "$XVFB"); f1=$(cpu_ns "$FLOOR"); t1=$(date +%s%N)
    for process in "$2" "$XVFB" "$FLOOR"; do
        kill -0 "$process" 2>/dev/null || { echo "$1: process $process ended during the measurement" >&2; return 1; }
    done
    program=$(share "$p0" "$p1" $((t1 - t0)))
    xserver=$(share "$x0" "$x1" $((t1 - t0)))
    floor=$(share "$f0" "$f1" $((t1 - t0)))
    echo "$1: $(echo "$program $xserver $floor" | awk '{ printf "%.2f %% (ratio %.2f vs floor)", $1 + $2, ($1 + $2) / $3 }')"
    echo "  program $program %, X server $xserver %, floor $floor %"
    eval "${1}_TOTAL=$(echo "$program $xserver" | awk '{ print $1 + $2 }')"
}

# run KIND PREFIX COMMAND...: start-up, idle and hover of one build.
run() {
    local kind=$1 prefix=$2 pid ms dx dy
    shift 2
    # A window that opens under the pointer takes it as last seen on a cell,
    # and keeps that when the pointer leaves: idle would be measured hovering.
    xdotool mousemove 1020 760
    read -r pid ms < <(cd "$WORK" && "$TOOLS/first_frame" Wordoria "$@")
    [ -n "${ms:-}" ] || { echo "${prefix}desktop_startup: the view never showed" >&2; return 1; }
    # Under Wine the process that runs is the one the loader execs: find it by its name.
    [ "$kind" != linux ] && pid=$(pgrep -f 'Wordoria.exe' | head -n 1)
    PIDS+=("$pid")
    echo "${prefix}desktop_startup: $ms ms"
    local window
    window=$(xdotool search --onlyvisible --name '^Wordoria$' | head -n 1)
    eval "$(xdotool getwindowgeometry --shell "$window")"
    [ "$kind" != linux ] && { dx=2; dy=21; } || { dx=2; dy=22; }
    xdotool mousemove 1020 760  # away from the window: nothing reacts
    sleep 2
    measure "${prefix}desktop_idle" "$pid"
    xdotool mousemove $((X + dx + 33)) $((Y + dy + 69))  # the cell き
    sleep 2
    measure "${prefix}desktop_hover" "$pid"
    kill "$pid" 2>/dev/null
    [ "$kind" != linux ] && /usr/lib/wine/wineserver -k 2>/dev/null
    sleep 1
}

"$LINUX/store/wordoria-make-data" "$WORK" >/dev/null || exit 1
# A display of its own, never one another server holds.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$WORK/display" >/dev/null 2>&1 &
XVFB=$!
PIDS+=("$XVFB")
for _ in $(seq 1 100); do [ -s "$WORK/display" ] && break; sleep 0.1; done
[ -s "$WORK/display" ] || { echo "desktop: Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$(cat "$WORK/display")"
"$TOOLS/sleep_floor" &
FLOOR=$!
PIDS+=("$FLOOR")

QT_QPA_PLATFORM=xcb run linux "" "$LINUX/app/wordoria"

export WINEDEBUG=-all LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
# A first start makes or updates the prefix: only a later one is a user's start-up.
(cd "$WORK" && WINEPREFIX=$PREFIX64 timeout 120 /usr/lib/wine/wine64 wineboot -u >/dev/null 2>&1)
WINEPREFIX=$PREFIX64 run wine wine_ /usr/lib/wine/wine64 "$WIN64/app/Wordoria.exe"
# The product on a 32-bit Windows: a prefix of its own, as 32-bit Wine makes it.
(cd "$WORK" && WINEPREFIX=$PREFIX32 WINEARCH=win32 timeout 120 /usr/lib/wine/wine wineboot -u >/dev/null 2>&1)
WINEPREFIX=$PREFIX32 WINEARCH=win32 run wine32 wine32_ /usr/lib/wine/wine "$WIN32/app/Wordoria.exe"

echo "$desktop_hover_TOTAL $wine_desktop_hover_TOTAL $wine32_desktop_hover_TOTAL" |
    awk '{ if ($2 > 0) printf "desktop_hover_vs_wine: %.2f (Linux program + X server over the x86_64 Wine build'"'"'s)\n", $1 / $2
           if ($3 > 0) printf "desktop_hover_vs_wine32: %.2f (Linux program + X server over the i686 Wine build'"'"'s)\n", $1 / $3 }'
