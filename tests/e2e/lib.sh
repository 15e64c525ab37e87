# Shared pieces of the end-to-end tests, sourced first with the test's own arguments:
# GAME DATA_DIR OUTPUT_DIR. A test sets PID and LOG once the game runs.
set -eu

GAME=$1
DATA=$2
OUT=$3

# Runs the test again inside a virtual X server of the given size (WIDTHxHEIGHT), unless
# it runs in one already.
enter_x_server() {
    size=$1
    shift
    if [ -z "${VORKALA_E2E_INNER:-}" ]; then
        mkdir -p "$OUT"
        VORKALA_E2E_INNER=1 exec xvfb-run -a -s "-screen 0 ${size}x24" sh "$@"
    fi
}

fail() {
    echo "FAIL: $*" >&2
    [ -f "${LOG:-}" ] && sed 's/^/game: /' "$LOG" >&2
    [ -n "${PID:-}" ] && kill "$PID" 2>/dev/null
    exit 1
}

# The id of the game's window once it has shown and drawn for a while; on a busy machine
# it may take 30 seconds to show. It is looked up again after the wait, in case the game
# opened it anew meanwhile.
find_window() {
    WID=""
    for _ in $(seq 1 300); do
        WID=$(xdotool search --onlyvisible --name '^Vorkala' 2>/dev/null | head -n 1) || true
        [ -n "$WID" ] && break
        sleep 0.1
    done
    [ -n "$WID" ] || fail "the game's window did not appear"
    sleep 1.5
    WID=$(xdotool search --onlyvisible --name '^Vorkala' 2>/dev/null | head -n 1) || true
    [ -n "$WID" ] || fail "the game's window went away"
}

# A screenshot of one window (or of the whole screen with "root") as OUT/NAME.png.
shot_window() {
    if [ "$1" = root ]; then xwd -silent -root; else xwd -silent -id "$1"; fi |
        convert xwd:- "$OUT/$2.png"
}

# Root-mean-square difference of two pictures, 0 (alike) to 1.
difference() {
    compare -metric RMSE "$1" "$2" null: 2>&1 | sed 's/.*(\(.*\))/\1/'
}

# How far an 800 x 600 picture is from the help screen's picture, leaving out the caption
# strip and the OK button, which pulses.
help_difference() {
    convert "$2/layout/hlaska.png" -filter point -resize '800x600!' "$OUT/help-expected.png"
    for picture in "$1" "$OUT/help-expected.png"; do
        convert "$picture" -fill black -draw 'rectangle 0,0 800,40' \
            -draw 'rectangle 336,232 448,312' "${picture%.png}-masked.png"
    done
    difference "${1%.png}-masked.png" "$OUT/help-expected-masked.png"
}

at_most() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a <= b) }'; }
at_least() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a >= b) }'; }

# Waits up to 5 seconds for the game to end and checks that it ended with status 0.
expect_clean_end() {
    for _ in $(seq 1 50); do
        kill -0 "$PID" 2>/dev/null || break
        sleep 0.1
    done
    if kill -0 "$PID" 2>/dev/null; then fail "the game did not end within 5 seconds"; fi
    status=0
    wait "$PID" || status=$?
    [ "$status" -eq 0 ] || fail "the game ended with status $status"
}

# No sound device on a build machine; leaks of the X and D-Bus libraries are not ours.
export SDL_AUDIODRIVER=dummy
export ASAN_OPTIONS=detect_leaks=0
