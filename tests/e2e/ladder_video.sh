#!/bin/sh
# The ladder video under a virtual X server: with the turbo ladder at its second step, the
# title screen's OK shows the selection screen, whose load plays the video in Picture3
# (184,0, 139 x 112): the area shows a picture, and its frames change.
# Usage: ladder_video.sh GAME DATA_DIR OUTPUT_DIR (GAME: the vorkala-e2e-start program)
. "$(dirname "$0")/lib.sh"
start_x_server 1024x768
LOG="$OUT/ladder-video.log"

# The video's area of the game's 800 x 600 window.
shot() {
    shot_window "$WID" "ladder-video-$1"
    convert "$OUT/ladder-video-$1.png" -crop 139x112+184+0 +repage "$OUT/ladder-video-$1-area.png"
}

"$GAME" ladder-step-2 >"$LOG" 2>&1 &
PID=$!
find_window

# OK (328,480, 97 x 53) shows the selection screen once its load has laid the ladder out.
shot title
xdotool mousemove --window "$WID" 376 506 click 1
for _ in $(seq 1 40); do
    sleep 0.5
    shot first
    away=$(difference "$OUT/ladder-video-title.png" "$OUT/ladder-video-first.png")
    at_least "$away" 0.2 && break
done
at_least "$away" 0.2 || fail "OK did not show the selection screen within 20 seconds"
# The clip turns to its next frame every 0.1 s.
sleep 0.35
shot second
spread=$(convert "$OUT/ladder-video-first-area.png" -format '%[fx:standard_deviation]' info:)
at_least "$spread" 0.05 || fail "no video shows in its area (spread $spread)"
change=$(difference "$OUT/ladder-video-first-area.png" "$OUT/ladder-video-second-area.png")
at_least "$change" 0.02 || fail "the video's frames do not change ($change)"
stop_game
echo "ladder video: ok (screenshots in $OUT)"
