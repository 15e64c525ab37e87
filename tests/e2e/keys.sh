#!/bin/sh
# The real game's keyboard under a bare virtual X server (no window manager): a
# punctuation key closes the info screen; the key that closes it types nothing into the
# selection screen's code box behind it; a kick key released while a hit reaction's
# blood drops fly stops the kicks at once instead of when the reactions are over.
# Usage: keys.sh GAME DATA_DIR OUTPUT_DIR (screenshots go to OUTPUT_DIR/keys)
set -eu

GAME=$1
OUT=$3/keys

if [ -z "${VORKALA_E2E_INNER:-}" ]; then
    mkdir -p "$OUT"
    rm -f "$OUT"/*.png "$OUT"/*.log "$OUT"/settings.json
    VORKALA_E2E_INNER=1 exec xvfb-run -a -s "-screen 0 1024x768x24" sh "$0" "$@"
fi

fail() {
    echo "FAIL: $*" >&2
    [ -f "$OUT/game.log" ] && sed 's/^/game: /' "$OUT/game.log" >&2
    kill "$PID" 2>/dev/null || true
    exit 1
}

# A part of the game's 800 x 600 window: shot NAME [WxH+X+Y].
shot() {
    xwd -silent -id "$WID" | convert xwd:- ${2:+-crop "$2" +repage} "$OUT/$1.png"
}

# Root-mean-square difference of two pictures, 0 (alike) to 1.
difference() {
    compare -metric RMSE "$OUT/$1.png" "$OUT/$2.png" null: 2>&1 | sed 's/.*(\(.*\))/\1/'
}
# Alike but for the falling drops and blinking texts, or, for crops, alike.
alike() { awk -v d="$(difference "$1" "$2")" -v l="${3:-0.01}" 'BEGIN { exit !(d <= l) }'; }

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

click() {
    xdotool mousemove --window "$WID" "$1" "$2" click 1
    sleep 0.7
}

export SDL_AUDIODRIVER=dummy
export ASAN_OPTIONS=detect_leaks=0
export VORKALA_SETTINGS="$OUT/settings.json"

"$GAME" --window >"$OUT/game.log" 2>&1 &
PID=$!

WID=""
for _ in $(seq 1 300); do  # a sanitized build on a busy machine starts slowly
    WID=$(xdotool search --onlyvisible --name '^Vorkala' 2>/dev/null | head -n 1) || true
    [ -n "$WID" ] && break
    sleep 0.1
done
[ -n "$WID" ] || fail "the game's window did not appear"
sleep 1.5

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

# Into a fight of two humans; the left fighter walks into the right one's reach.
click 84 252   # the left fighter
click 596 140  # the right fighter
sleep 6.5
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

kill "$PID" 2>/dev/null || true
wait "$PID" 2>/dev/null || true
echo "keys: ok (screenshots in $OUT)"
