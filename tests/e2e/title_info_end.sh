#!/bin/sh
# The real game under a virtual X server: the title screen shows with its OK button where
# the layout puts it, INFO opens the help screen, a key closes it, and the end button
# ends the game with exit status 0.
# Usage: title_info_end.sh GAME DATA_DIR OUTPUT_DIR
set -eu

GAME=$1
DATA=$2
OUT=$3

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

# The game's window only, 800 x 600 in --window mode.
shot() {
    xwd -silent -id "$WID" | convert xwd:- "$OUT/$1.png"
}

# Root-mean-square difference of two pictures, 0 (alike) to 1.
difference() {
    compare -metric RMSE "$1" "$2" null: 2>&1 | sed 's/.*(\(.*\))/\1/'
}

at_most() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a <= b) }'; }
at_least() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a >= b) }'; }

# No sound device on a build machine; leaks of the X and D-Bus libraries are not ours.
export SDL_AUDIODRIVER=dummy
export ASAN_OPTIONS=detect_leaks=0
export VORKALA_SETTINGS="$OUT/settings.json"

"$GAME" --window >"$OUT/game.log" 2>&1 &
PID=$!

WID=""
for _ in $(seq 1 100); do
    WID=$(xdotool search --onlyvisible --name '^Vorkala' 2>/dev/null | head -n 1) || true
    [ -n "$WID" ] && break
    sleep 0.1
done
[ -n "$WID" ] || fail "the game's window did not appear"
sleep 1.5

# Title screen: not blank, and the OK picture drawn at its place (328,480, 97 x 53).
shot title
spread=$(convert "$OUT/title.png" -format '%[fx:standard_deviation]' info:)
at_least "$spread" 0.05 || fail "the title screen looks blank (spread $spread)"
convert "$OUT/title.png" -crop 97x53+328+480 +repage "$OUT/title-ok.png"
okdiff=$(difference "$OUT/title-ok.png" "$DATA/layout/ok.png")
at_most "$okdiff" 0.02 || fail "the OK button is not where the layout puts it ($okdiff)"

# INFO (560,504, 91 x 28) opens the help screen over the title.
xdotool mousemove --window "$WID" 605 518 click 1
sleep 1
shot info
infodiff=$(difference "$OUT/title.png" "$OUT/info.png")
at_least "$infodiff" 0.1 || fail "INFO did not show the help screen ($infodiff)"
convert "$DATA/layout/hlaska.png" -filter point -resize '800x600!' "$OUT/help-expected.png"
convert "$OUT/info.png" -fill black -draw 'rectangle 0,0 800,40' -draw 'rectangle 336,232 448,312' \
    "$OUT/info-masked.png"
convert "$OUT/help-expected.png" -fill black -draw 'rectangle 0,0 800,40' \
    -draw 'rectangle 336,232 448,312' "$OUT/help-masked.png"
helpdiff=$(difference "$OUT/info-masked.png" "$OUT/help-masked.png")
at_most "$helpdiff" 0.08 || fail "the help picture does not fill the canvas ($helpdiff)"

# Any key closes it, back to the title screen.
xdotool key space
sleep 1
shot closed
backdiff=$(difference "$OUT/title.png" "$OUT/closed.png")
at_most "$backdiff" 0.02 || fail "a key did not close the help screen ($backdiff)"

# The end button (104,496, 56 x 32) ends the game.
xdotool mousemove --window "$WID" 132 512 click 1
for _ in $(seq 1 50); do
    kill -0 "$PID" 2>/dev/null || break
    sleep 0.1
done
if kill -0 "$PID" 2>/dev/null; then fail "the game did not end within 5 seconds"; fi
status=0
wait "$PID" || status=$?
[ "$status" -eq 0 ] || fail "the game ended with status $status"
echo "title, info and end: ok (screenshots in $OUT)"
