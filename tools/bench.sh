#!/bin/sh
# Builds the game in Release, runs every benchmark and writes BENCHMARKS.md: the generated
# tables, then the hand-written notes of bench/notes.md. The real game is measured as a
# process under a virtual X server (1920 x 1080) against the bare SDL loop of bench/,
# measured in the same run. Needs what tools/setup.sh installs (Google Benchmark, Xvfb,
# xdotool).
# Usage: tools/bench.sh [BUILD_DIR]
set -eu
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=${1:-"$ROOT/build-bench"}
cmake -S "$ROOT" -B "$BUILD" -DCMAKE_BUILD_TYPE=Release -DVORKALA_FUZZ=OFF >/dev/null
cmake --build "$BUILD" -j"$(nproc)" \
    --target vorkala vorkala_bench vorkala-bench-process vorkala-bare-loop \
    vorkala-bench-paced >/dev/null
export VORKALA_HOME="$BUILD"
RUNS=5
OUT=$(mktemp -d)
trap 'rm -rf "$OUT"' EXIT
SCREEN="-screen 0 1920x1080x24"

# One CSV per benchmark run: its header names that benchmark's counters.
run() {  # name, filter, then how the benchmark binary is started
    name=$1 filter=$2
    shift 2
    "$@" "$BUILD/bench/vorkala_bench" --benchmark_filter="$filter" --benchmark_format=csv \
        >"$OUT/$name.csv" 2>/dev/null
}
echo "In-process benchmarks..."
run pick BM_FighterPick env
run fight BM_WholeFight env
run huge_settings BM_HugeSettingsFileToSelection env
run long_name BM_LongNameFirstFrame env
echo "Presented frames under a virtual X server..."
run frames 'Frames/' xvfb-run -a -s "$SCREEN"
# A row's field by the benchmark's name; 3 is the real time.
field() { grep "^\"$2" "$OUT/$1.csv" | grep -v "_mean\|_stddev\|_cv" | head -n 1 | cut -d, -f"$3"; }
column() { head -n 1 "$OUT/$1.csv" | tr ',' '\n' | tr -d '"' | grep -n "^$2\$" | cut -d: -f1; }
PICK=$(field pick BM_FighterPick 3)
SPEEDUP=$(field fight BM_WholeFight "$(column fight times_real_time)")
HUGE_SETTINGS=$(field huge_settings BM_HugeSettingsFileToSelection 3)
HUGE_SETTINGS_PEAK=$(field huge_settings BM_HugeSettingsFileToSelection "$(column huge_settings peak_mb)")
LONG_NAME=$(field long_name BM_LongNameFirstFrame 3)
LONG_NAME_PEAK=$(field long_name BM_LongNameFirstFrame "$(column long_name peak_mb)")
FRAME=$(field frames BM_FightFrames/0 3)
BARE_FRAME=$(field frames BM_BareFrames/0 3)
FRAME_FULL=$(field frames BM_FightFrames/1 3)
BARE_FRAME_FULL=$(field frames BM_BareFrames/1 3)

echo "The game and the bare loop as processes under a virtual X server..."
# Bare loop and game take turns, so that both see the same machine.
xvfb-run -a -s "$SCREEN" sh -c "
    P='$BUILD/bench/vorkala-bench-process'; G='$BUILD/vorkala'; B='$BUILD/bench/vorkala-bare-loop'
    \$P startup $RUNS \$B | sed 's/^/bare_/'
    \$P startup $RUNS \$G --window
    \$P peak 10 \$B | sed 's/^/bare_/'
    for i in 1 2 3; do
        \$P cpu 10 \$B --idle | sed 's/^/bare_idle_/'
        \$P cpu 10 \$G --window | sed 's/^/idle_/'
        \$P cpu 10 \$B | sed 's/^/bare_/'
        \$P fight 10 \$G --window
        SDL_AUDIODRIVER=none \$P cpu 10 \$G --window | sed 's/^/silent_idle_/'
    done
" >"$OUT/process.txt" 2>"$OUT/process.err" || { cat "$OUT/process.err" >&2; exit 1; }
value() { awk -v k="$1" '$1 == k {print $2}' "$OUT/process.txt" | sort -n | sed -n 2p; }
first() { awk -v k="$1" '$1 == k {print $2; exit}' "$OUT/process.txt"; }
STARTUP=$(first startup_ms)
BARE_STARTUP=$(first bare_startup_ms)
PEAK=$(value fight_peak_mb)
BARE_PEAK=$(first bare_peak_mb)
FIGHT=$(value fight_cpu_percent)
BARE_CPU=$(value bare_cpu_percent)
IDLE=$(value idle_cpu_percent)
BARE_IDLE=$(value bare_idle_cpu_percent)
SILENT_IDLE=$(value silent_idle_cpu_percent)

fmt() { awk -v v="$1" -v d="$2" 'BEGIN { printf "%." d "f", v }'; }
# A row against the bare loop: what, game, bare, unit, decimals, most ratio allowed.
against() {
    awk -v what="$1" -v g="$2" -v b="$3" -v u="$4" -v d="$5" -v most="$6" 'BEGIN {
        ratio = b > 0 ? g / b : 0
        printf "| %s | %." d "f%s | %." d "f%s | %.2f x | at most %s x | %s |\n",
            what, g, u, b, u, ratio, most, (b > 0 && ratio <= most) ? "met" : "missed" }'
}
# The same for a row shown for comparison only.
compared() {
    awk -v what="$1" -v g="$2" -v b="$3" -v u="$4" -v d="$5" 'BEGIN {
        printf "| %s | %." d "f%s | %." d "f%s | %.2f x |\n", what, g, u, b, u, (b > 0 ? g / b : 0) }'
}
verdict() {  # value, comparison (lt/gt), target
    awk -v v="$1" -v t="$3" -v c="$2" 'BEGIN {
        ok = (c == "lt") ? (v < t) : (v > t); print ok ? "met" : "missed" }'
}

{
    cat <<MD
# Benchmarks

Regenerate with \`tools/bench.sh\` (Release build). Machine: $(nproc) cores,
$(awk -F': ' '/model name/ {print $2; exit}' /proc/cpuinfo). The processes run under Xvfb
($(echo "$SCREEN" | cut -d' ' -f3)) with SDL's dummy sound, the game in its 800 x 600
window unless noted.

## The real game against a bare SDL loop

The bare loop (\`bench/bare_loop.h\`, the program \`vorkala-bare-loop\`) is an SDL2 program
with SDL's software renderer that copies one 800 x 600 picture into its window (scaled as
the game's canvas is) and presents it every 16 ms; idle, it wakes every 16 ms and draws
nothing. It is measured in the same run, taking turns with the game. CPU rows are medians
of 3 runs of 10 s, start-ups medians of $RUNS, frames means of 600.

| what | the game | bare SDL loop | ratio | goal | verdict |
| --- | --- | --- | --- | --- | --- |
$(against "peak memory through a whole fight (the game's process from its start to the after-fight screen; the bare loop after 10 s)" "$PEAK" "$BARE_PEAK" " MB" 1 4)
$(against "start-up to the first presented frame" "$STARTUP" "$BARE_STARTUP" " ms" 0 1.5)
$(against "CPU during a fight (window caption checked to name the fight screen first; left player's keys pressed with xdotool, computer on the right at medium) against the bare loop presenting every 16 ms" "$FIGHT" "$BARE_CPU" " %" 2 1)
$(against "CPU while the title screen idles, against the bare loop idling" "$IDLE" "$BARE_IDLE" " %" 2 1)
$(against "one presented fight frame, drawn and presented (the game: what changed in 16 ms of a fight), 800 x 600 window" "$FRAME" "$BARE_FRAME" " ms" 3 1)
$(against "the same, full screen at 1920 x 1080" "$FRAME_FULL" "$BARE_FRAME_FULL" " ms" 3 1)

The sound is the game's alone: SDL's dummy sound driver mixes in real time and the menu
tune is synthesized on SDL's sound thread. The title's idling with no sound device
(\`SDL_AUDIODRIVER=none\`, so the game runs silent), for comparison:

| what | the game, silent | bare SDL loop | ratio |
| --- | --- | --- | --- |
$(compared "CPU while the title screen idles" "$SILENT_IDLE" "$BARE_IDLE" " %" 2)

## The game on its own

| what | target | measured | verdict |
| --- | --- | --- | --- |
| whole fight on the virtual clock, fight screen's show to the after-fight screen (computer on the right at medium, the left played with scripted key presses) | at least 2000 x real time | $(fmt "$SPEEDUP" 0) x | $(verdict "$SPEEDUP" gt 2000) |
| fighter pick, data warm | under 1 ms | $(fmt "$PICK" 3) ms | $(verdict "$PICK" lt 1) |
| a valid 100 MB settings file: loading the settings (read to 1 MB, the file kept aside) and the title's OK to the selection screen, pictures decoded (mean of 3) | under 300 ms | $(fmt "$HUGE_SETTINGS" 1) ms | $(verdict "$HUGE_SETTINGS" lt 300) |
| peak memory of that benchmark's process | under 120 MB | $(fmt "$HUGE_SETTINGS_PEAK" 1) MB | $(verdict "$HUGE_SETTINGS_PEAK" lt 120) |
| the selection screen's first frame with a 1 MB high-score name, SDL software renderer, nothing cached | under 50 ms | $(fmt "$LONG_NAME" 2) ms | $(verdict "$LONG_NAME" lt 50) |
| peak memory of that benchmark's process | under 120 MB | $(fmt "$LONG_NAME_PEAK" 1) MB | $(verdict "$LONG_NAME_PEAK" lt 120) |

MD
    cat "$ROOT/bench/notes.md"
    echo "Blocking loops in real time..." >&2
    sh "$ROOT/tools/bench_paced.sh" "$BUILD"
} >"$ROOT/BENCHMARKS.md"
echo "Wrote $ROOT/BENCHMARKS.md"
cat "$ROOT/BENCHMARKS.md"
