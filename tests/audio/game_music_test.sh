#!/usr/bin/env bash
# Starts the game on the current X display as a player would, from a folder
# that holds res/, and checks the music: with the disk audio driver and a
# one-second track at the music's path, sound is written from start-up on and
# still after the track's end; with no music file and whatever sound device
# the machine has, start-up prints its lines and the game runs on, without
# pages of audio-library messages. Both times the game must end on a signal.
# Usage: game_music_test.sh path/to/vizidev path/to/one-second.mp3
set -u
game=$(realpath "$1")
track=$(realpath "$2")
out=$(mktemp -d)
pid=
cleanup() {
    [ -n "$pid" ] && kill -KILL "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
    rm -rf "$out"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*"
    for f in "$out"/*.out "$out"/*.err; do
        [ -s "$f" ] && sed "s|^|  $(basename "$f"): |" "$f"
    done
    exit 1
}

# Ends the game with a signal, as Ctrl+C or a session's end would; it must go
# within two seconds. Usage: stop_game name signal
stop_game() {
    local name=$1 signal=$2
    kill "-$signal" "$pid" 2>/dev/null
    for _ in $(seq 20); do
        if ! kill -0 "$pid" 2>/dev/null; then
            wait "$pid" 2>/dev/null
            pid=
            return 0
        fi
        sleep 0.1
    done
    fail "$name: the game ignores SIG$signal"
}

# Starts the game in the given folder; waits until start-up has printed its
# sound lines. Usage: start_game folder name [VAR=value...]
start_game() {
    local dir=$1 name=$2
    shift 2
    (cd "$dir" && exec env "$@" "$game" >"$out/$name.out" 2>"$out/$name.err") &
    pid=$!
    for _ in $(seq 100); do
        grep -q 'done\.' "$out/$name.out" 2>/dev/null && return 0
        kill -0 "$pid" 2>/dev/null || fail "$name: the game exited during start-up"
        sleep 0.1
    done
    fail "$name: no \"done.\" within 10 s"
}

# The sound lines close start-up's output: a line break first, none after.
check_sound_lines() {
    local name=$1
    [ "$(tail -c 23 "$out/$name.out" | od -An -c | tr -s ' ')" = \
        "$(printf '\nLoading sounds...done.' | od -An -c | tr -s ' ')" ] ||
        fail "$name: start-up output does not end in \"\\nLoading sounds...done.\""
}

# Largest absolute 16-bit sample in a stretch of raw output, given in bytes.
peak() {
    local file=$1 skip=$2 count=$3
    od -An -v -td2 -w2 -j "$skip" -N "$count" "$file" |
        awk '{ v = $1 < 0 ? -$1 : $1; if (v > m) m = v } END { print m + 0 }'
}

# With the music: loud within 0.3 s of the output opening, and loud in the
# last quarter second, after the one-second track has run out at least once.
mkdir -p "$out/with/res/audio"
cp "$track" "$out/with/res/audio/msc_Didudevuvozivedez_VodE_Aquarium.mp3"
start_game "$out/with" with SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$out/music.raw"
sleep 1.6
kill -0 "$pid" 2>/dev/null || fail "with: the game died"
stop_game with TERM
check_sound_lines with
bytes=$(stat -c %s "$out/music.raw")
[ "$bytes" -gt $((44100 * 4 * 3 / 2)) ] || fail "with: only $bytes bytes of output"
first=$(peak "$out/music.raw" 0 $((44100 * 4 * 3 / 10)))
last=$(peak "$out/music.raw" $(((bytes / 4 - 11025) * 4)) $((11025 * 4)))
[ "$first" -gt 6000 ] || fail "with: silent at start-up (peak $first)"
[ "$last" -gt 6000 ] || fail "with: silent after the track's end (peak $last)"

# Without the music, on the machine's own sound device if it has one.
mkdir -p "$out/without"
start_game "$out/without" without -u SDL_AUDIODRIVER
sleep 1
kill -0 "$pid" 2>/dev/null || fail "without: the game died"
stop_game without INT
check_sound_lines without
noise=$(grep -c -i -E 'alsa|pulse|sndio|pipewire|audio' "$out/without.err")
[ "$noise" -eq 0 ] || fail "without: $noise lines of audio messages on stderr"
echo "music from start-up (peak $first) and after the loop (peak $last); quiet start without it"
