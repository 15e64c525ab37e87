# Shared pieces of the end-to-end tests, sourced first: `. "$(dirname "$0")/lib.sh"`.
# The test's own arguments are GAME DATA_DIR OUTPUT_DIR (a test may read another second
# argument itself); a test sets PID and LOG once the game runs. The game, the X server and
# the scratch folder are ended when the test ends, however it ends.
set -eu

GAME=$1
DATA=$2
OUT=$3
case "$DATA" in /*) ;; *) DATA=$PWD/$DATA ;; esac
mkdir -p "$OUT"

PID=
X_SERVER=
X_DIR=
X_LOG="$OUT/xvfb-$(basename "$0" .sh).log"
SCRATCH=

end_test() {
    [ -z "$PID" ] || kill "$PID" 2>/dev/null || true
    PID=
    stop_x_server
    [ -z "$SCRATCH" ] || rm -rf "$SCRATCH"
}
trap end_test EXIT
trap 'exit 1' HUP INT TERM

# Starts a virtual X server for the rest of the test and points DISPLAY at it:
#   start_x_server [--reset] WIDTHxHEIGHT
# The server takes a display number no other server holds and reports it once it accepts
# clients (-displayfd), so servers started at the same moment cannot share a display, and
# it lets in only the clients that know its cookie, so another test's game or xdotool that
# lost its own server cannot reach this one. It lives on when its last client leaves,
# unless --reset asks for a server that resets then, as a desktop's server does at log-out.
# X_LAUNCHER, when set, is put before the server's command (taskset, nice).
start_x_server() {
    reset=-noreset
    if [ "$1" = --reset ]; then
        reset=
        shift
    fi
    stop_x_server
    X_DIR=$(mktemp -d)
    : >"$X_LOG"
    # The server takes the cookie whatever display its entry names; the clients look it up
    # by the number, which is added once the server has told it.
    export XAUTHORITY="$X_DIR/cookie"
    cookie=$(od -An -N16 -tx1 /dev/urandom | tr -d ' \n')
    xauth add :0 . "$cookie" 2>/dev/null
    mkfifo "$X_DIR/display"
    # A server that meets another one starting on the same number at that moment ends
    # before it reports; a few tries get one of its own.
    for _ in 1 2 3 4 5; do
        ${X_LAUNCHER:-} Xvfb -displayfd 3 -auth "$XAUTHORITY" -screen 0 "${1}x24" -nolisten tcp $reset \
            3>"$X_DIR/display" 2>>"$X_LOG" &
        X_SERVER=$!
        display=
        read -r display <"$X_DIR/display" || true
        [ -n "$display" ] && break
        wait "$X_SERVER" 2>/dev/null || true
        X_SERVER=
    done
    [ -n "$display" ] || fail "the virtual X server did not start (see $X_LOG)"
    xauth add ":$display" . "$cookie"
    export DISPLAY=":$display"
}

# Ends the game started as PID, if it still runs.
stop_game() {
    [ -n "$PID" ] || return 0
    kill "$PID" 2>/dev/null || true
    wait "$PID" 2>/dev/null || true
    PID=
}

stop_x_server() {
    if [ -n "$X_SERVER" ]; then
        kill "$X_SERVER" 2>/dev/null || true
        wait "$X_SERVER" 2>/dev/null || true
    fi
    [ -z "$X_DIR" ] || rm -rf "$X_DIR"
    X_SERVER=
    X_DIR=
}

# A scratch folder HOME_DIR for the game's settings, removed at the end; the game's data
# stays where it is.
use_scratch_settings() {
    SCRATCH=$(mktemp -d)
    HOME_DIR=$SCRATCH
    export VORKALA_SETTINGS="$HOME_DIR/settings.json"
}

# The scratch folder HOME_DIR also holds the game's data, which the test puts there.
use_scratch_home() {
    use_scratch_settings
    export VORKALA_HOME="$HOME_DIR"
}

fail() {
    echo "FAIL: $*" >&2
    [ -f "${LOG:-}" ] && sed 's/^/game: /' "$LOG" >&2
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
    PID=
    [ "$status" -eq 0 ] || fail "the game ended with status $status"
}

# No sound device on a build machine; leaks of the X and D-Bus libraries are not ours.
export SDL_AUDIODRIVER=dummy
export ASAN_OPTIONS=detect_leaks=0
