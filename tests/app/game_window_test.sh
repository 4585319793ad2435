#!/usr/bin/env bash
# Starts the game in a real window, then checks its title, size and position,
# that a resize is undone, and that it refuses to start without a display.
# Usage: game_window_test.sh path/to/vizidev
set -u
game=$1
. "$(dirname "$0")/../support/game_session.sh"

# Without a display: one clear line, non-zero exit.
if env -u DISPLAY "$game" >"$out/nodisplay" 2>&1; then
    fail "the game started without a display"
fi
grep -q "needs a graphical display" "$out/nodisplay" || fail "no clear message without a display: $(cat "$out/nodisplay")"
[ "$(wc -l <"$out/nodisplay")" -eq 1 ] || fail "more than one line without a display: $(cat "$out/nodisplay")"

start_display
start_game "$game"
find_window

geometry() { xdotool getwindowgeometry --shell "$wid"; }
wait_for_size() {
    for _ in $(seq 50); do
        eval "$(geometry)"
        [ "$WIDTH" = 800 ] && [ "$HEIGHT" = 800 ] && return 0
        sleep 0.1
    done
    return 1
}
wait_for_size || fail "window is ${WIDTH}x${HEIGHT}, not 800x800"
eval "$(geometry)"
[ "$X" = 100 ] && [ "$Y" = 100 ] || fail "window at ($X, $Y), not (100, 100)"

xdotool windowsize "$wid" 640 480
sleep 0.5
wait_for_size || fail "after a resize to 640x480 the window stays ${WIDTH}x${HEIGHT}"

import -window "$wid" "$out/shot.png" 2>/dev/null || fail "no screenshot"
size=$(identify -format '%wx%h' "$out/shot.png")
[ "$size" = 800x800 ] || fail "screenshot is $size"
kill -0 "$pid" 2>/dev/null || fail "the game died"
echo "window 800x800 at (100, 100), resize undone, screenshot $size"
