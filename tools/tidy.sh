#!/bin/sh
# Runs clang-tidy's bugprone and performance checks (.clang-tidy) on the game's sources.
# Usage: tools/tidy.sh [BUILD_DIR]   (a configured build folder; default build/)
set -eu
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=${1:-$ROOT/build}
[ -f "$BUILD/compile_commands.json" ] || cmake -S "$ROOT" -B "$BUILD" >/dev/null
exec run-clang-tidy -quiet -p "$BUILD" -j"$(nproc)" "$ROOT/src/"
