#!/bin/sh
# The real game launched again and again on a virtual X server that resets whenever its
# last client leaves (as xinit and startx start one whose only client is the game): every
# launch shows its window; none runs on without one.
# Usage: resetting_server.sh GAME DATA_DIR OUTPUT_DIR [LAUNCHES]
. "$(dirname "$0")/lib.sh"
LAUNCHES=${4:-30}
use_scratch_settings
export VORKALA_REPORT_FIRST_FRAME=1
unset WAYLAND_DISPLAY SDL_VIDEODRIVER

# The game and the server share one CPU, the server last in line, as on a busy machine:
# the server then reads what a starting game sends in batches, so a game that closes one
# connection while it sets up another makes the server reset and drop the new one in most
# launches.
CPU=$(python3 -c 'import os, random; print(random.choice(sorted(os.sched_getaffinity(0))))')
ON_CPU="taskset -c $CPU"

# Without -noreset, and no client of ours stays connected: the game is its only client.
X_LAUNCHER="$ON_CPU nice -n 19" start_x_server --reset 1024x768

# Waits up to 5 seconds for the game's window to be seen on the server; only asked once
# the game shows a frame, so that no other client is connected while the game starts.
window_seen() {
    for _ in $(seq 1 50); do
        xdotool search --onlyvisible --name "^$WINDOW_NAME" >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    return 1
}

launch=1
while [ "$launch" -le "$LAUNCHES" ]; do
    LOG="$OUT/resetting-launch-$launch.log"
    : >"$LOG"
    $ON_CPU "$GAME" --window >"$LOG" 2>&1 &
    PID=$!
    shown=0
    await_first_frame 30 || shown=$?
    [ "$shown" -ne 2 ] || fail "launch $launch: no first frame within 30 seconds"
    if [ "$shown" -eq 1 ]; then
        await_end 0
        grep -q "SDL_VIDEODRIVER" "$LOG" && [ "$STATUS" -ne 0 ] ||
            fail "launch $launch: the game ended with status $STATUS, no window and no reason"
        # It said why, but the server is up: its start lost the display.
        fail "launch $launch: the game could not open the display of a running X server"
    fi
    window_seen || fail "launch $launch: the game runs with no window on the display"
    kill -TERM "$PID"
    await_end 10 "launch $launch: the game is still running 10 s after SIGTERM"
    [ "$STATUS" -eq 143 ] || fail "launch $launch: the game ended with status $STATUS on SIGTERM"
    launch=$((launch + 1))
done
echo "$LAUNCHES launches on a resetting X server: $LAUNCHES windows"
