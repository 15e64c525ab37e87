#!/bin/sh
# Installs what the game needs on a Debian machine (only what is missing) and builds it:
# compilers and libraries (libpng and giflib for the generator, fontconfig to find the
# fonts), SDL2 with its picture, sound and font libraries, the fonts, MIDI instruments
# (freepats, a General MIDI soundfont), and for the end-to-end test a virtual X server,
# a window manager, xdotool, xwd, ImageMagick and Python (to read the pointer's cursor);
# clang with libFuzzer for the fuzz targets.
# Usage: tools/setup.sh BUILD_DIR [extra cmake options...]
set -eu

PACKAGES="build-essential cmake pkg-config git googletest libgtest-dev libgmock-dev \
libbenchmark-dev nlohmann-json3-dev libpng-dev libgif-dev libfontconfig-dev \
clang libclang-rt-dev \
libsdl2-dev libsdl2-image-dev libsdl2-mixer-dev libsdl2-ttf-dev \
fonts-liberation fonts-dejavu-core fonts-comic-neue freepats timgm6mb-soundfont \
xvfb xauth xdotool x11-apps x11-utils imagemagick openbox python3"

missing=""
for p in $PACKAGES; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $p"
    fi
done
if [ -n "$missing" ]; then
    echo "Installing:$missing"
    SUDO=""
    if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq $missing
fi

ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=$1
shift
cmake -S "$ROOT" -B "$BUILD" "$@"
cmake --build "$BUILD" -j"$(nproc)"
