#!/bin/sh
# The real game under a virtual X server with the title screen's picture missing from its
# data folder: it shows an error box naming the file (also written to standard error),
# which its OK button closes, and ends with a non-zero exit status.
# Usage: missing_picture.sh GAME DATA_DIR OUTPUT_DIR
set -eu

GAME=$1
DATA=$(cd "$2" && pwd)
OUT=$3

if [ -z "${VORKALA_E2E_INNER:-}" ]; then
    mkdir -p "$OUT"
    VORKALA_E2E_INNER=1 exec xvfb-run -a -s "-screen 0 1024x768x24" sh "$0" "$@"
fi

HOME_DIR=$(mktemp -d)
trap 'rm -rf "$HOME_DIR"' EXIT
fail() {
    echo "FAIL: $*" >&2
    [ -f "$OUT/missing-picture.log" ] && sed 's/^/game: /' "$OUT/missing-picture.log" >&2
    kill "$PID" 2>/dev/null || true
    exit 1
}

# The generated data, linked file by file, without layout/uvodni.png.
mkdir -p "$HOME_DIR/data/layout"
for entry in "$DATA"/*; do
    [ "$(basename "$entry")" = layout ] || ln -s "$entry" "$HOME_DIR/data/"
done
for entry in "$DATA"/layout/*; do
    [ "$(basename "$entry")" = uvodni.png ] || ln -s "$entry" "$HOME_DIR/data/layout/"
done

export SDL_AUDIODRIVER=dummy
export ASAN_OPTIONS=detect_leaks=0
export VORKALA_SETTINGS="$HOME_DIR/settings.json"
export VORKALA_HOME="$HOME_DIR"

"$GAME" --window >"$OUT/missing-picture.log" 2>&1 &
PID=$!

# The message goes to standard error as the box opens.
for _ in $(seq 1 100); do
    grep -q "uvodni.png" "$OUT/missing-picture.log" 2>/dev/null && break
    kill -0 "$PID" 2>/dev/null || break
    sleep 0.1
done
grep -q "File not found" "$OUT/missing-picture.log" || fail "no 'File not found' message"
grep -q "uvodni.png" "$OUT/missing-picture.log" || fail "the message does not name the file"

# Its OK button, centred at the bottom of the box, closes it.
for _ in $(seq 1 50); do
    kill -0 "$PID" 2>/dev/null || break
    BOX=$(xwininfo -root -tree | awk '/"Vorkala"/ {print $(NF-1); exit}')
    if [ -n "$BOX" ]; then
        W=${BOX%%x*} REST=${BOX#*x}
        H=${REST%%+*} REST=${REST#*+}
        X=${REST%%+*} Y=${REST#*+}
        xdotool mousemove $((X + W / 2)) $((Y + H - 20)) click 1
    fi
    sleep 0.2
done
kill -0 "$PID" 2>/dev/null && fail "the game is still running after its error box"
status=0
wait "$PID" || status=$?
[ "$status" -ne 0 ] || fail "the game ended with status 0"
echo "missing picture: message named the file, exit status $status"
