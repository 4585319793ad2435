#!/usr/bin/env bash
# Plays the game as a new user would, in a folder with images of its own (a red
# title page, a blue instructions page, a green backdrop; no stalk image, so
# the stalks come out as plain black): the pages fill the window in turn, and
# after two clicks a black plant stands on the backdrop and grows when the
# player drags over it with the left button held.
# Usage: game_screens_test.sh path/to/vizidev
set -u
game=$(realpath "$1")
. "$(dirname "$0")/../support/game_session.sh"

mkdir -p "$out/run/res/images"
convert -size 64x64 xc:red "$out/run/res/images/titlescreen.tga"
convert -size 64x64 xc:blue "$out/run/res/images/instructions.tga"
convert -size 64x64 xc:lime "$out/run/res/images/background2.tga"

shot() { import -window "$wid" "$out/$1.png" 2>/dev/null || fail "no screenshot"; }
# Colour of one pixel as "r,g,b" (0 to 255).
pixel() {
    convert "$out/$1.png" -format "%[fx:int(255*p{$2,$3}.r)],%[fx:int(255*p{$2,$3}.g)],%[fx:int(255*p{$2,$3}.b)]" info:
}
expect_pixel() {
    local got
    got=$(pixel "$1" "$2" "$3")
    [ "$got" = "$4" ] || fail "$1: pixel ($2, $3) is $got, not $4"
}
# How many pixels are (nearly) black.
black_pixels() {
    convert "$out/$1.png" -colorspace Gray -threshold 10% -format '%[fx:int((1-mean)*w*h+0.5)]' info:
}

start_display
(cd "$out/run" && exec "$game") >"$out/stdout" 2>&1 &
pid=$!
find_window
sleep 0.5

shot title
for p in "400 400" "10 10" "789 789"; do expect_pixel title $p "255,0,0"; done

xdotool mousemove --window "$wid" 400 400 click 1
sleep 0.5
shot instructions
for p in "400 400" "10 10" "789 789"; do expect_pixel instructions $p "0,0,255"; done

xdotool click 1
sleep 1.5
shot playing
alive "after the pages"
expect_pixel playing 700 200 "0,255,0"
before=$(black_pixels playing)
# The root stands at (0, 3.75): window column 400, row 650.
[ "$before" -gt 10 ] || fail "no plant on the backdrop ($before black pixels)"
[ "$(pixel playing 400 640)" = "0,0,0" ] || fail "no stalk above the root: $(pixel playing 400 640)"

xdotool mousemove --window "$wid" 400 600 mousedown 1
for step in $(seq 30); do
    xdotool mousemove --window "$wid" $((390 + step % 5 * 5)) $((620 - step * 4))
    sleep 0.05
done
xdotool mouseup 1
xdotool mousemove --window "$wid" 400 400
sleep 1
shot grown
after=$(black_pixels grown)
[ "$after" -gt $((before * 2)) ] || fail "the plant did not grow under the drag ($before -> $after black pixels)"
alive "after the drag"
echo "title red, instructions blue, plant on the green backdrop grew from $before to $after black pixels"
