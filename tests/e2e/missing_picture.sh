#!/bin/sh
# The real game under a virtual X server with the title screen's picture missing from its
# data folder: it shows an error box naming the file (also written to standard error),
# which its OK button closes, and ends with a non-zero exit status.
# Usage: missing_picture.sh GAME DATA_DIR OUTPUT_DIR
. "$(dirname "$0")/lib.sh"
start_x_server 1024x768
use_scratch_home
LOG=$OUT/missing-picture.log

# The generated data, linked file by file, without layout/uvodni.png.
mkdir -p "$HOME_DIR/data/layout"
for entry in "$DATA"/*; do
    [ "$(basename "$entry")" = layout ] || ln -s "$entry" "$HOME_DIR/data/"
done
for entry in "$DATA"/layout/*; do
    [ "$(basename "$entry")" = uvodni.png ] || ln -s "$entry" "$HOME_DIR/data/layout/"
done

"$GAME" --window >"$LOG" 2>&1 &
PID=$!

# The message goes to standard error as the box opens.
for _ in $(seq 1 100); do
    grep -q "uvodni.png" "$LOG" 2>/dev/null && break
    kill -0 "$PID" 2>/dev/null || break
    sleep 0.1
done
grep -q "File not found" "$LOG" || fail "no 'File not found' message"
grep -q "uvodni.png" "$LOG" || fail "the message does not name the file"

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
PID=
[ "$status" -ne 0 ] || fail "the game ended with status 0"
echo "missing picture: message named the file, exit status $status"
