#!/usr/bin/env bash
# Configures and builds the game, its tests and benchmarks into ./build.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cmake -S "$root" -B "$root/build" -DVIZIDEV_WERROR=ON >/dev/null
cmake --build "$root/build" -j "$(nproc)"
