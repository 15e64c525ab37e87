#!/bin/sh
# The real game under a virtual X server: the title screen shows with its OK button where
# the layout puts it, INFO opens the help screen, a key closes it, and the end button
# ends the game with exit status 0.
# Usage: title_info_end.sh GAME DATA_DIR OUTPUT_DIR
. "$(dirname "$0")/lib.sh"
start_x_server 1024x768
LOG="$OUT/game.log"

# The game's window only, 800 x 600 in --window mode.
shot() { shot_window "$WID" "$1"; }

export VORKALA_SETTINGS="$OUT/settings.json"
rm -f "$VORKALA_SETTINGS"

"$GAME" --window >"$LOG" 2>&1 &
PID=$!
find_window

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
helpdiff=$(help_difference "$OUT/info.png" "$DATA")
at_most "$helpdiff" 0.08 || fail "the help picture does not fill the canvas ($helpdiff)"

# Any key closes it, back to the title screen.
xdotool key space
sleep 1
shot closed
backdiff=$(difference "$OUT/title.png" "$OUT/closed.png")
at_most "$backdiff" 0.02 || fail "a key did not close the help screen ($backdiff)"

# The end button (104,496, 56 x 32) ends the game.
xdotool mousemove --window "$WID" 132 512 click 1
expect_clean_end
echo "title, info and end: ok (screenshots in $OUT)"
