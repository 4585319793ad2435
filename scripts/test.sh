#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test headless on a private
# Xvfb display, whatever display the user has.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"

# -displayfd lets the server pick a free display number itself, so several
# runs on one machine never share or fight over a display. -noreset keeps the
# server from resetting (and refusing connections) whenever its last client
# leaves, which happens between test processes.
fifo=$(mktemp -u)
mkfifo "$fifo"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$fifo" >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; rm -f "$fifo"' EXIT
read -r -t 20 number <"$fifo" || { echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$number"

cd "$root/build"
ctest --output-on-failure -j "$(nproc)" "$@"
