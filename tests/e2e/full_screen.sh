#!/bin/sh
# The real game full screen on virtual X servers of 1280 x 1024 and 1920 x 1080, each
# without a window manager and under openbox: the window covers the screen, the whole
# picture shows scaled up between black bars, INFO opens the help screen where the scaled
# picture shows the button, a key closes it and the end button ends the game.
# Usage: full_screen.sh GAME DATA_DIR OUTPUT_DIR
. "$(dirname "$0")/lib.sh"

# Each size and window manager in a run of its own, on an X server of its own.
if [ $# -lt 5 ]; then
    for size in 1280x1024 1920x1080; do
        for manager in none openbox; do
            sh "$0" "$GAME" "$DATA" "$OUT" "$size" "$manager"
        done
    done
    exit 0
fi

SIZE=$4
MANAGER=$5
start_x_server "$SIZE"
NAME="full-$SIZE-$MANAGER"
LOG="$OUT/$NAME.log"
export VORKALA_SETTINGS="$OUT/$NAME-settings.json"
rm -f "$VORKALA_SETTINGS"

if [ "$MANAGER" = openbox ]; then
    openbox >/dev/null 2>&1 &
    for _ in $(seq 1 50); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
        sleep 0.1
    done
fi

SCREEN_W=${SIZE%x*}
SCREEN_H=${SIZE#*x}
# Where the 800 x 600 canvas lies on the screen: scaled as large as fits, centred.
eval "$(awk -v w="$SCREEN_W" -v h="$SCREEN_H" 'BEGIN {
    s = w / 800 < h / 600 ? w / 800 : h / 600
    vw = int(800 * s + 0.5); vh = int(600 * s + 0.5)
    printf "SCALE=%s VIEW_W=%d VIEW_H=%d VIEW_X=%d VIEW_Y=%d\n", s, vw, vh, (w - vw) / 2, (h - vh) / 2
}')"

# A canvas point as a screen point.
at() { awk -v x="$1" -v y="$2" -v s="$SCALE" -v vx="$VIEW_X" -v vy="$VIEW_Y" \
    'BEGIN { printf "%d %d", vx + x * s, vy + y * s }'; }

# The whole screen, and the canvas part of it brought back to 800 x 600.
shot() {
    shot_window root "$NAME-$1"
    convert "$OUT/$NAME-$1.png" -crop "${VIEW_W}x${VIEW_H}+${VIEW_X}+${VIEW_Y}" +repage \
        -resize '800x600!' "$OUT/$NAME-$1-canvas.png"
}

"$GAME" >"$LOG" 2>&1 &
PID=$!
find_window

geometry=$(xwininfo -id "$WID" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
    /Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h "+" x "+" y}')
[ "$geometry" = "$SIZE+0+0" ] || fail "$NAME: the window is $geometry, not the whole screen"

# The title screen whole: OK and INFO where the layout puts them, the bars black.
shot title
convert "$OUT/$NAME-title-canvas.png" -crop 97x53+328+480 +repage "$OUT/$NAME-title-ok.png"
okdiff=$(difference "$OUT/$NAME-title-ok.png" "$DATA/layout/ok.png")
at_most "$okdiff" 0.06 || fail "$NAME: the OK button is not where the layout puts it ($okdiff)"
convert "$OUT/$NAME-title-canvas.png" -crop 91x28+560+504 +repage "$OUT/$NAME-title-info.png"
infodiff=$(difference "$OUT/$NAME-title-info.png" "$DATA/layout/info.png")
at_most "$infodiff" 0.06 || fail "$NAME: the INFO button is not where the layout puts it ($infodiff)"
bars=$(convert "$OUT/$NAME-title.png" -fill black \
    -draw "rectangle $VIEW_X,$VIEW_Y $((VIEW_X + VIEW_W - 1)),$((VIEW_Y + VIEW_H - 1))" \
    -format '%[fx:maxima]' info:)
at_most "$bars" 0.01 || fail "$NAME: the bars around the picture are not black ($bars)"

# INFO (560,504, 91 x 28) opens the help screen over the title.
xdotool mousemove $(at 605 518) click 1
sleep 1
shot info
helpdiff=$(help_difference "$OUT/$NAME-info-canvas.png" "$DATA")
at_most "$helpdiff" 0.08 || fail "$NAME: INFO did not show the help screen ($helpdiff)"

# Any key closes it; the end button (104,496, 56 x 32) ends the game.
xdotool key space
sleep 1
shot closed
backdiff=$(difference "$OUT/$NAME-title-canvas.png" "$OUT/$NAME-closed-canvas.png")
at_most "$backdiff" 0.02 || fail "$NAME: a key did not close the help screen ($backdiff)"
xdotool mousemove $(at 132 512) click 1
expect_clean_end
echo "$NAME: ok"
