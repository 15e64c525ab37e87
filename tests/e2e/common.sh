# Shared start of the end-to-end scripts that play the game with damaged data. Sourced
# with the script's arguments (GAME DATA_DIR OUTPUT_DIR) after LOG names the game's log:
# the script runs again under a virtual X server, then gets GAME, DATA and OUT, a scratch
# folder HOME_DIR for the game's data and settings, and fail(), which shows the log and
# stops the game started as $PID.
GAME=$1
DATA=$(cd "$2" && pwd)
OUT=$3

if [ -z "${VORKALA_E2E_INNER:-}" ]; then
    mkdir -p "$OUT"
    VORKALA_E2E_INNER=1 exec xvfb-run -a -s "-screen 0 1024x768x24" sh "$0" "$@"
fi

HOME_DIR=$(mktemp -d)
trap 'rm -rf "$HOME_DIR"' EXIT
PID=
fail() {
    echo "FAIL: $*" >&2
    [ -f "$LOG" ] && sed 's/^/game: /' "$LOG" >&2
    [ -n "$PID" ] && kill -KILL "$PID" 2>/dev/null
    exit 1
}

export SDL_AUDIODRIVER=dummy
export ASAN_OPTIONS=detect_leaks=0
export VORKALA_SETTINGS="$HOME_DIR/settings.json"
export VORKALA_HOME="$HOME_DIR"
