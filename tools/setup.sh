#!/bin/sh
# Installs what is missing on a Debian machine and builds.
# The game needs compilers and libraries (libpng and giflib for the generator, fontconfig
# to find the fonts), SDL2 with its picture, sound and font libraries, the fonts and MIDI
# instruments (freepats, a General MIDI soundfont). The tests add GoogleTest and Google
# Benchmark, clang with libFuzzer for the fuzz targets, a German locale for the
# comma-decimal test, and for the end-to-end tests a virtual X server, a window manager,
# xdotool, xwd, ImageMagick and Python (to read the pointer's cursor).
# Usage: tools/setup.sh [--game] BUILD_DIR [extra cmake options...]
#   --game: only what building and playing need; builds only the game and its data,
#           quietly (the build's log is shown when it fails).
set -eu

GAME_PACKAGES="build-essential cmake pkg-config nlohmann-json3-dev libpng-dev libgif-dev \
libfontconfig-dev libsdl2-dev libsdl2-image-dev libsdl2-mixer-dev libsdl2-ttf-dev \
fonts-liberation fonts-dejavu-core fonts-comic-neue freepats timgm6mb-soundfont"
TEST_PACKAGES="git googletest libgtest-dev libgmock-dev libbenchmark-dev clang libclang-rt-dev \
locales xvfb xauth xdotool x11-apps x11-utils imagemagick openbox python3"
# The locale whose decimal separator is a comma.
COMMA_LOCALE="de_DE.UTF-8"

GAME_ONLY=0
if [ "${1:-}" = "--game" ]; then
    GAME_ONLY=1
    shift
fi
PACKAGES=$GAME_PACKAGES
if [ "$GAME_ONLY" -eq 0 ]; then PACKAGES="$GAME_PACKAGES $TEST_PACKAGES"; fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi

missing=""
for p in $PACKAGES; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $p"
    fi
done
if [ -n "$missing" ]; then
    echo "Installing:$missing"
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq $missing
fi

# Generates the comma locale when the system lacks it.
comma_locale_present() {
    locale -a 2>/dev/null | grep -qix "$(echo "$COMMA_LOCALE" | sed 's/UTF-8/utf-\\?8/')"
}
if [ "$GAME_ONLY" -eq 0 ] && ! comma_locale_present; then
    echo "Generating the locale $COMMA_LOCALE"
    if grep -q "^# *$COMMA_LOCALE UTF-8" /etc/locale.gen; then
        $SUDO sed -i "s/^# *\($COMMA_LOCALE UTF-8\)/\1/" /etc/locale.gen
    elif ! grep -q "^$COMMA_LOCALE UTF-8" /etc/locale.gen; then
        echo "$COMMA_LOCALE UTF-8" | $SUDO tee -a /etc/locale.gen >/dev/null
    fi
    $SUDO locale-gen >/dev/null
fi

ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=$1
shift
if [ "$GAME_ONLY" -eq 0 ]; then
    cmake -S "$ROOT" -B "$BUILD" "$@"
    cmake --build "$BUILD" -j"$(nproc)"
    exit 0
fi
mkdir -p "$BUILD"
LOG="$BUILD/build.log"
echo "Building the game and its data (the log goes to $LOG)"
if ! { cmake -S "$ROOT" -B "$BUILD" "$@" && cmake --build "$BUILD" -j"$(nproc)" --target vorkala; } \
    >"$LOG" 2>&1; then
    cat "$LOG"
    echo "The build failed; its log is $LOG" >&2
    exit 1
fi
