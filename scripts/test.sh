#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test headless under a
# private Xvfb display, whatever display the user has.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"
cd "$root/build"
exec xvfb-run -a -s "-screen 0 1280x1024x24" \
    ctest --output-on-failure -j "$(nproc)" "$@"
