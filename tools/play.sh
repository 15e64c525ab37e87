#!/bin/sh
# Sets up, builds and starts the game.
set -eu
ROOT=$(cd "$(dirname "$0")/.." && pwd)
"$ROOT/tools/setup.sh" "$ROOT/build" -DCMAKE_BUILD_TYPE=Release -DVORKALA_TESTS=OFF
exec "$ROOT/build/vorkala" "$@"
