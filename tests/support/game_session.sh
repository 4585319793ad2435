# Sourced by the script tests that run the real game: a scratch folder, an X
# display of the test's own (so no other test's window takes its input), the
# game started in the background, and its window found by title.
# Provides: out, pid, wid, fail, alive, start_display, start_game, find_window.

out=$(mktemp -d)
pid=
wid=
xvfb=
session_cleanup() {
    [ -n "$pid" ] && kill -KILL "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null && wait "$xvfb" 2>/dev/null
    rm -rf "$out"
}
trap session_cleanup EXIT

fail() {
    echo "FAIL: $*"
    [ -f "$out/stdout" ] && sed 's/^/  game: /' "$out/stdout"
    exit 1
}
alive() { kill -0 "$pid" 2>/dev/null || fail "the game died $*"; }

# The server picks a free display number itself and writes it to the fifo.
start_display() {
    mkfifo "$out/display"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$out/display" \
        >/dev/null 2>&1 &
    xvfb=$!
    local number
    read -r -t 20 number <"$out/display" || fail "Xvfb did not start"
    export DISPLAY=":$number"
}

# Usage: start_game path/to/vizidev [args...]; output goes to $out/stdout.
start_game() {
    "$@" >"$out/stdout" 2>&1 &
    pid=$!
}

find_window() {
    wid=
    for _ in $(seq 100); do
        wid=$(xdotool search --name '^The Vizidev$' 2>/dev/null | head -n 1)
        [ -n "$wid" ] && return 0
        alive "before its window appeared"
        sleep 0.1
    done
    fail "no window titled 'The Vizidev'"
}
