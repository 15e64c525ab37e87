#!/bin/sh
# The loading screen's pointer under a virtual X server: from the after-fight screen on the
# turbo ladder, the next-fight button shows the loading screen while the selection screen
# loads and lays the ladder out; over it the pointer is the system's wait cursor, and once
# the selection screen is in front it is not.
# Usage: loading_pointer.sh GAME DATA_DIR OUTPUT_DIR (GAME: the vorkala-e2e-start program)
. "$(dirname "$0")/lib.sh"
start_x_server 1024x768
LOG="$OUT/loading-pointer.log"
cursor() { python3 "$(dirname "$0")/cursor_image.py"; }

# The system's wait cursor, as SDL shows it over a window of its own.
"$GAME" wait-cursor >"$LOG" 2>&1 &
PID=$!
find_window
xdotool mousemove --window "$WID" 100 100
sleep 0.3
WAIT=$(cursor)
stop_game

"$GAME" after-fight >"$LOG" 2>&1 &
PID=$!
find_window
# The next-fight button (240,456, 172 x 45).
xdotool mousemove --window "$WID" 326 478
sleep 0.3
[ "$(cursor)" != "$WAIT" ] || fail "the wait cursor shows over the after-fight screen"
xdotool click 1
seen=""
for _ in $(seq 1 50); do
    if [ "$(cursor)" = "$WAIT" ]; then
        seen=yes
        shot_window "$WID" loading-pointer
        break
    fi
    sleep 0.1
done
[ -n "$seen" ] || fail "no wait cursor over the loading screen"
sleep 4
[ "$(cursor)" != "$WAIT" ] || fail "the wait cursor stays over the selection screen"
stop_game
echo "loading pointer: ok (screenshot in $OUT)"
