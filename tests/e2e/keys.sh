#!/bin/sh
# The real game's keyboard under a bare virtual X server (no window manager): a
# punctuation key closes the info screen; the key that closes it types nothing into the
# selection screen's code box behind it; the keypad's arrow walks the right fighter with
# Num Lock off and not with it on; a kick key released while a hit reaction's blood drops
# fly stops the kicks at once instead of when the reactions are over.
# Usage: keys.sh GAME DATA_DIR OUTPUT_DIR (screenshots go to OUTPUT_DIR/keys)
. "$(dirname "$0")/lib.sh"
OUT=$OUT/keys
LOG=$OUT/game.log
mkdir -p "$OUT"
rm -f "$OUT"/*.png "$OUT"/*.log "$OUT"/settings.json
start_x_server 1024x768

# A part of the game's 800 x 600 window: shot NAME [WxH+X+Y].
shot() {
    xwd -silent -id "$WID" | convert xwd:- ${2:+-crop "$2" +repage} "$OUT/$1.png"
}

# Alike but for the falling drops and blinking texts, or, for crops, alike.
alike() { at_most "$(difference "$OUT/$1.png" "$OUT/$2.png")" "${3:-0.01}"; }

# Shoots NAME (a CROP) until it is alike REF; the selection screen's drops fall through
# any place now and then. Fails after a few tries.
shot_alike() {
    for _ in 1 2 3 4 5; do
        shot "$1" "$3"
        alike "$1" "$2" && return 0
        sleep 0.3
    done
    return 1
}

# Shoots NAME (a CROP) as it stands still, between drops.
steady_shot() {
    for _ in 1 2 3 4 5; do
        shot "$1" "$2"
        sleep 0.3
        shot "$1-again" "$2"
        alike "$1" "$1-again" && return 0
    done
    return 1
}

# Turns Num Lock on or off as a player does, with its key, unless it is so already.
set_num_lock() {
    [ "$(python3 "$(dirname "$0")/num_lock.py")" = "$1" ] || xdotool key Num_Lock
    [ "$(python3 "$(dirname "$0")/num_lock.py")" = "$1" ] || fail "Num Lock did not turn $1"
}

click() {
    xdotool mousemove --window "$WID" "$1" "$2" click 1
    sleep 0.7
}

export VORKALA_SETTINGS="$OUT/settings.json"

"$GAME" --window >"$LOG" 2>&1 &
PID=$!
find_window

# Places on the selection screen: the code box with the delete button left of it, and
# the info button.
CODE_BOX=330x78+180+486
INFO="277 542"

click 376 506  # the title's OK
click 372 506  # into the code box
xdotool type --delay 50 "smazat hrac"
sleep 0.5
steady_shot code-typed "$CODE_BOX" || fail "the code box does not stand still"
shot selection

# A comma closes the info screen.
click $INFO
shot info
alike info selection 0.05 && fail "the info button did not show the info screen"
xdotool key comma
sleep 0.7
shot after-comma
alike after-comma selection 0.05 || fail "a comma did not close the info screen"

# The "e" that closes it would complete the delete code in the box behind it.
click $INFO
xdotool key e
sleep 0.7
shot_alike after-e code-typed "$CODE_BOX" ||
    fail "the key that closed the info screen reached the code box"

# Into a fight of two humans.
click 84 252   # the left fighter
click 596 140  # the right fighter
sleep 6.5

# The keypad's 4 (the key whose keysym is KP_Left without Num Lock) walks the right
# fighter towards the left one with Num Lock off, and is a digit with it on. The place in
# front of the left fighter where the right one stops shows the trees until it comes.
FRONT=80x100+210+390
shot front-before "$FRONT"
set_num_lock on
xdotool keydown KP_Left
sleep 1.5
xdotool keyup KP_Left
shot front-num-lock "$FRONT"
alike front-num-lock front-before || fail "the keypad's 4 walked with Num Lock on"
set_num_lock off
xdotool keydown KP_Left
came=""
for _ in $(seq 1 30); do
    sleep 0.2
    shot front-keypad "$FRONT"
    alike front-keypad front-before || { came=yes; break; }
done
sleep 0.5
xdotool keyup KP_Left
[ -n "$came" ] || fail "the keypad's left arrow did not walk the right fighter with Num Lock off"
shot front-walked "$FRONT"

# The left fighter walks into the right one's reach.
xdotool keydown d
sleep 1.5
xdotool keyup d
sleep 0.5
# The left energy bar, and its left end, which shows while any energy is left.
ENERGY=380x12+0+50
BAR_END=30x8+30+52
shot energy-before "$ENERGY"
shot bar-end-before "$BAR_END"
# The right player kicks (Home) for a moment. Every reaction lets the next held kick run
# inside it, so kicks that only stopped when the reactions are over run on to a
# knock-out.
xdotool keydown Home
sleep 0.2
xdotool keyup Home
sleep 1.5
shot energy-kicked "$ENERGY"
sleep 2
shot energy-later "$ENERGY"
shot bar-end-later "$BAR_END"
shot fight
alike energy-kicked energy-before && fail "no kick landed"
alike energy-later energy-kicked && alike bar-end-later bar-end-before ||
    fail "the kicks went on after the key was released"

stop_game
echo "keys: ok (screenshots in $OUT)"
