#!/usr/bin/env bash
# Plays the game as a new user would, on an X display of its own so that no
# other test's window takes the clicks: two clicks turn the title and
# instructions pages, then wheel steps, drags with each button and the zoom
# keys; the game must still be running after all of it.
# Usage: game_input_test.sh path/to/vizidev
set -u
game=$1
. "$(dirname "$0")/../support/game_session.sh"

start_display
start_game "$game"
find_window
sleep 0.5

# The pointer over the window's centre; clicks and keys go where it is.
xdotool mousemove --window "$wid" 400 400
sleep 0.2
xdotool click 1
sleep 0.3
alive "on the first click"
xdotool click 1
sleep 0.3
alive "on the second click"

# Wheel steps reach the game as mouse buttons beyond the three it keeps.
xdotool click 4 click 5 click 4
sleep 0.2
alive "on wheel steps"

drag() {
    xdotool mousedown "$1"
    for step in 0 1 2 3 4 5 6 7 8 9; do
        xdotool mousemove --window "$wid" $((300 + step * 20)) $((500 - step * 15))
        sleep 0.03
    done
    xdotool mouseup "$1"
    sleep 0.2
    alive "on a drag with button $1"
}
drag 1
drag 3
drag 2
xdotool mousemove --window "$wid" 5 5  # into the scrolling band
xdotool key w w s
sleep 1
alive "after drags, scrolling and zoom"
echo "pages turned with two clicks; wheel, drags and keys handled; still running"
