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
link_data_except layout uvodni.png

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
    if find_error_box; then
        xdotool mousemove $((BOX_X + BOX_W / 2)) $((BOX_Y + BOX_H - 20)) click 1
    fi
    sleep 0.2
done
await_end 0 "the game is still running after its error box"
[ "$STATUS" -ne 0 ] || fail "the game ended with status 0"
echo "missing picture: message named the file, exit status $STATUS"
