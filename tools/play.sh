#!/bin/sh
# Installs what building and playing need, builds the game and its data, and starts it.
set -eu
ROOT=$(cd "$(dirname "$0")/.." && pwd)
"$ROOT/tools/setup.sh" --game "$ROOT/build" -DCMAKE_BUILD_TYPE=Release -DVORKALA_TESTS=OFF
"$ROOT/build/vorkala" --where
exec "$ROOT/build/vorkala" "$@"
