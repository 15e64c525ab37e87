#!/bin/sh
# The real game under a virtual X server with one fighter's pictures damaged: the title's
# OK saves the first run's progress, picking that fighter shows the run-time error box,
# which says the picture is invalid, and SIGTERM sent while the box waits for a click ends
# the game at once with the saved progress intact, and no window of it left on the screen.
# Usage: signal_during_error_box.sh GAME DATA_DIR OUTPUT_DIR
. "$(dirname "$0")/lib.sh"
start_x_server 1024x768
use_scratch_home
LOG=$OUT/signal-during-error-box.log

# The generated data, linked file by file, with the left fighter Pazdrak's poses damaged.
link_data_except obr '2pzo*'
for entry in "$DATA"/obr/2pzo*; do
    echo "not a picture" >"$SCRATCH/data/obr/$(basename "$entry")"
done

# The game runs in a locale whose character set is not UTF-8, when one can be made here.
LOCALE_ENV=""
mkdir -p "$SCRATCH/locale"
if localedef -i cs_CZ -f ISO-8859-2 "$SCRATCH/locale/cs_CZ.ISO-8859-2" >/dev/null 2>&1; then
    LOCALE_ENV="LOCPATH=$SCRATCH/locale LC_ALL=cs_CZ.ISO-8859-2"
fi
# shellcheck disable=SC2086 # the settings are separate words
env $LOCALE_ENV "$GAME" --window >"$LOG" 2>&1 &
PID=$!
find_window
click() { xdotool mousemove --window "$WID" "$1" "$2" click 1; }
click 376 506 # the title's OK
for _ in $(seq 1 50); do
    grep -q podruhe "$SCRATCH/settings.json" 2>/dev/null && break
    sleep 0.1
done
grep -q podruhe "$SCRATCH/settings.json" || fail "the title's OK saved no progress"
cp "$SCRATCH/settings.json" "$SCRATCH/saved.json"
sleep 1
click 84 252 # Pazdrak: left roster, row 4, column 2

# The message goes to standard error as the box opens.
for _ in $(seq 1 100); do
    grep -q "Run-time error" "$LOG" && break
    sleep 0.1
done
grep -q "Invalid picture" "$LOG" || fail "no 'Invalid picture' message"
grep -q "2pzo" "$LOG" || fail "the message does not name the picture"
grep -q "File not found" "$LOG" && fail "a damaged picture is reported as missing"
sleep 0.5
kill -0 "$PID" 2>/dev/null || fail "the game ended before its error box was answered"
# The box fits the game's 800-pixel picture and shows its text: dark on light above its
# button, neither blank nor dark all over.
find_error_box || fail "no error box on the screen"
[ "$BOX_W" -le 800 ] || fail "the error box is $BOX_W pixels wide"
xwd -silent -id "$BOX_ID" | convert xwd:- -crop "${BOX_W}x$((BOX_H - 50))+0+0" +repage \
    -colorspace gray -threshold 50% "$OUT/error-box-text.png"
INK=$(convert "$OUT/error-box-text.png" -format '%[fx:1-mean]' info:)
{ at_least "$INK" 0.005 && at_most "$INK" 0.3; } || fail "the error box shows no text ($INK of it is dark)"

kill -TERM "$PID"
await_end 3 "the game is still running 3 s after SIGTERM"
[ "$STATUS" -eq 143 ] || fail "the game ended with status $STATUS, not by SIGTERM"
cmp -s "$SCRATCH/settings.json" "$SCRATCH/saved.json" || fail "the saved progress changed"
# Nothing of the game stays on the screen: its error box ended with it.
for _ in $(seq 1 20); do
    xwininfo -root -tree | grep -q "\"$WINDOW_NAME" || break
    sleep 0.1
done
xwininfo -root -tree | grep -q "\"$WINDOW_NAME" && fail "a window of the game outlived it"
echo "SIGTERM during the error box: the game and its box ended, its progress intact"
