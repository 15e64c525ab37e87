#!/bin/sh
# The real game where no display can be reached ends at once with a message that names the
# displays it looked for and SDL_VIDEODRIVER, and a non-zero status, instead of playing on
# unseen; a video driver named in SDL_VIDEODRIVER is used as named, `dummy` too.
# Usage: no_display.sh GAME DATA_DIR OUTPUT_DIR
. "$(dirname "$0")/lib.sh"
use_scratch_settings
export VORKALA_REPORT_FIRST_FRAME=1
unset WAYLAND_DISPLAY SDL_VIDEODRIVER
# No Wayland compositor either: its socket would be looked for here.
export XDG_RUNTIME_DIR="$SCRATCH/run"
mkdir -m 700 "$XDG_RUNTIME_DIR"

# A display number no X server listens on.
number=64999
while [ -e "/tmp/.X11-unix/X$number" ]; do number=$((number - 1)); done
NOWHERE="unix:$number"

# Starts the game with the given environment settings; STATUS is its exit status, or
# "running" when it still runs after 20 seconds (it is stopped then).
run_game() {
    LOG="$OUT/no-display-$1.log"
    shift
    env "$@" "$GAME" --window >"$LOG" 2>&1 &
    PID=$!
    await_first_frame 20 || true
    if kill -0 "$PID" 2>/dev/null; then
        STATUS=running
        kill -KILL "$PID"
        wait "$PID" 2>/dev/null || true
        PID=
    else
        await_end 0
    fi
}

# case name | environment | what the message must say
while IFS='|' read -r name settings expected; do
    # shellcheck disable=SC2086 # the settings are words on purpose
    run_game "$name" $settings
    [ "$STATUS" != running ] || fail "$name: the game runs on with no display"
    [ "$STATUS" -ne 0 ] || fail "$name: the game ended with status 0"
    for text in "$expected" "WAYLAND_DISPLAY is not set" "SDL_VIDEODRIVER picks a video driver"; do
        grep -qF "$text" "$LOG" || fail "$name: the message does not say '$text'"
    done
done <<CASES
unreachable|DISPLAY=$NOWHERE|DISPLAY="$NOWHERE", where no X server answers
unset|DISPLAY=|DISPLAY is not set
x11-named|DISPLAY=$NOWHERE SDL_VIDEODRIVER=x11|DISPLAY="$NOWHERE", where no X server answers
CASES

# A driver the player names runs the game, even one that shows nothing.
run_game dummy-named DISPLAY=$NOWHERE SDL_VIDEODRIVER=dummy
[ "$STATUS" = running ] || fail "dummy-named: the game ended with status $STATUS on the dummy driver"
echo "no display: the game says so and ends; a named driver runs it"
