#!/bin/sh
# Installs the game under a scratch prefix and starts the installed copy on SDL's dummy
# drivers, away from the build folder: it is still on its title screen after a few seconds
# only when it found its pictures and sounds under the prefix.
# Usage: install_check.sh BUILD_DIR PREFIX
set -u
BUILD=$1
PREFIX=$2
rm -rf "$PREFIX"
cmake --install "$BUILD" --prefix "$PREFIX" >/dev/null || exit 1
for f in bin/vorkala share/applications/vorkala.desktop share/vorkala/data/obr; do
    [ -e "$PREFIX/$f" ] || { echo "FAIL: $f is not installed"; exit 1; }
done
unset VORKALA_HOME
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy ASAN_OPTIONS=detect_leaks=0
export VORKALA_SETTINGS="$PREFIX/settings.json"
cd / && timeout 5 "$PREFIX/bin/vorkala" --window >"$PREFIX/game.log" 2>&1
status=$?
[ "$status" -eq 124 ] && exit 0
echo "FAIL: the installed game ended at once, status $status"
cat "$PREFIX/game.log"
exit 1
