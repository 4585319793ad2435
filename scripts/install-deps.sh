#!/usr/bin/env bash
# Installs every Debian package the game, its tests and its benchmarks need.
# Does nothing when they are all there already.
set -euo pipefail

packages=(
    # build
    cmake g++ make pkg-config
    # OpenGL, GLU and GLUT, and Mesa's software renderer
    libgl1-mesa-dev libglu1-mesa-dev freeglut3-dev libx11-dev libgl1-mesa-dri
    # sound: SDL2_mixer decodes and plays the MP3 music
    libsdl2-mixer-dev
    # tests and benchmarks
    googletest libgtest-dev libgmock-dev libbenchmark-dev
    # reference image decoding in tests and benchmarks
    libstb-dev
    # a real window without a desktop: X server, input and screenshots
    xvfb xdotool imagemagick
    # short MP3 tracks made for the sound tests
    sox lame
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q '^install ok installed$'; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=
if [ "$(id -u)" -ne 0 ]; then
    if ! command -v sudo >/dev/null 2>&1; then
        echo "These packages are missing and installing them needs root: run this as root, or install sudo." >&2
        exit 1
    fi
    sudo=sudo
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
