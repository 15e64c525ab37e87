# Shared pieces of the end-to-end tests, sourced first: `. "$(dirname "$0")/lib.sh"`.
# The test's own arguments are GAME DATA_DIR OUTPUT_DIR (a test may read another second
# argument itself); a test sets PID and LOG once the game runs. The game, the X server and
# the scratch folder are ended when the test ends, however it ends.
# shellcheck shell=sh disable=SC2034 # the tests read what is set here
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
# The name of every window of the game's, its message boxes too.
WINDOW_NAME=Vorkala

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

# A scratch folder SCRATCH for the game's settings, removed at the end; the game's data
# stays where it is.
use_scratch_settings() {
    SCRATCH=$(mktemp -d)
    export VORKALA_SETTINGS="$SCRATCH/settings.json"
}

# The scratch folder SCRATCH also holds the game's data, which the test puts there.
use_scratch_home() {
    use_scratch_settings
    export VORKALA_HOME="$SCRATCH"
}

# Links the generated data into the scratch home file by file, leaving out the files of
# the folder SUBDIR whose names match PATTERN (a shell pattern):
#   link_data_except SUBDIR PATTERN
link_data_except() {
    mkdir -p "$SCRATCH/data/$1"
    for entry in "$DATA"/*; do
        [ "$(basename "$entry")" = "$1" ] || ln -s "$entry" "$SCRATCH/data/"
    done
    for entry in "$DATA/$1"/*; do
        # shellcheck disable=SC2254 # the pattern is matched as a pattern
        case "$(basename "$entry")" in
        $2) ;;
        *) ln -s "$entry" "$SCRATCH/data/$1/" ;;
        esac
    done
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
        WID=$(xdotool search --onlyvisible --name "^$WINDOW_NAME" 2>/dev/null | head -n 1) || true
        [ -n "$WID" ] && break
        sleep 0.1
    done
    [ -n "$WID" ] || fail "the game's window did not appear"
    sleep 1.5
    WID=$(xdotool search --onlyvisible --name "^$WINDOW_NAME" 2>/dev/null | head -n 1) || true
    [ -n "$WID" ] || fail "the game's window went away"
}

# The game's error box: the first window named as the game's that is not its 800 x 600
# window. Sets BOX_ID and the box's place, BOX_W x BOX_H at BOX_X, BOX_Y; returns 1 when
# no box shows.
find_error_box() {
    box=$(xwininfo -root -tree | awk -v name="\"$WINDOW_NAME\"" \
        'index($0, name) && $(NF-1) !~ /^800x600/ {print $1, $(NF-1); exit}')
    [ -n "$box" ] || return 1
    BOX_ID=${box%% *} geometry=${box#* }
    BOX_W=${geometry%%x*} geometry=${geometry#*x}
    BOX_H=${geometry%%+*} geometry=${geometry#*+}
    BOX_X=${geometry%%+*} BOX_Y=${geometry#*+}
}

# Waits up to SECS seconds for the game, started with VORKALA_REPORT_FIRST_FRAME set, to
# present its first frame: returns 0 once it has, 1 when the game ends first and 2 when
# it still runs without one.
#   await_first_frame SECS
await_first_frame() {
    for _ in $(seq 1 $(($1 * 10))); do
        grep -q "first frame presented" "$LOG" && return 0
        kill -0 "$PID" 2>/dev/null || return 1
        sleep 0.1
    done
    return 2
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

# Waits up to SECS seconds for the game to end, failing with MESSAGE (or saying so) when
# it still runs then; STATUS is its exit status. With 0 it only takes the status of a game
# already seen to end.
#   await_end SECS [MESSAGE]
await_end() {
    for _ in $(seq 1 $(($1 * 10))); do
        kill -0 "$PID" 2>/dev/null || break
        sleep 0.1
    done
    if kill -0 "$PID" 2>/dev/null; then fail "${2:-the game did not end within $1 seconds}"; fi
    STATUS=0
    wait "$PID" || STATUS=$?
    PID=
}

# Waits up to 5 seconds for the game to end and checks that it ended with status 0.
expect_clean_end() {
    await_end 5
    [ "$STATUS" -eq 0 ] || fail "the game ended with status $STATUS"
}

# No sound device on a build machine; leaks of the X and D-Bus libraries are not ours.
export SDL_AUDIODRIVER=dummy
export ASAN_OPTIONS=detect_leaks=0
