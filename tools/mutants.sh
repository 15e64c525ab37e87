#!/bin/bash
# Mutation test of the suite: how many small faults in the game and its runtime do the
# tests catch? Each mutant of tests/mutants.txt changes one line of src/; the mutants are
# applied one at a time to a scratch copy of the tree (never to this tree), built and run
# against the suite, and each is reported as:
#   caught   a test failed (or crashed, or ran past the time limit)
#   missed   every test passed: no test notices the fault
#   stale    its line no longer occurs exactly once in the file (the code has moved on:
#            update the mutant)
#   broken   the mutant does not build (a bad mutant: replace it)
#
# The suite run for each mutant: every case of vorkala_tests and vorkala_sdl_tests (sharded
# over the cores, stopping at the first failure) and the scenario scripts (ctest's
# script.*). Left out: the end-to-end tests under a virtual X server (e2e.*), the fuzz
# targets and the benchmarks; they are slow and add nothing the rules' mutants need.
# The build is Release without sanitizers, in one build folder kept between runs.
#
# Usage: tools/mutants.sh [-o RESULTS_FILE] [FILTER]
#   FILTER   run only the mutants whose line in tests/mutants.txt contains this text
#   -o FILE  also write the report to FILE (tests/mutants-results.txt keeps main's)
# Environment: MUTANTS_SCRATCH (the scratch copy, default /tmp/vorkala-mutants-$USER),
# JOBS (parallel compile jobs and test shards, default the number of cores).
set -u

ROOT=$(cd "$(dirname "$0")/.." && pwd)
LIST="$ROOT/tests/mutants.txt"
SCRATCH=${MUTANTS_SCRATCH:-/tmp/vorkala-mutants-${USER:-$(id -un)}}
BUILD="$SCRATCH/build"
JOBS=${JOBS:-$(nproc)}
LIMIT=300  # seconds for one suite run; a mutant that hangs the game is caught by it

results=""
filter=""
while [ $# -gt 0 ]; do
    case $1 in
        -o) results=$2; shift 2 ;;
        -h | --help) sed -n '2,/^set -u/p' "$0" | sed '$d'; exit 0 ;;
        *) filter=$1; shift ;;
    esac
done

# Copies this tree's files (committed or not, ignored ones left out) into the scratch copy.
# Unchanged files keep their time stamps there, so the build stays incremental.
sync_scratch() {
    mkdir -p "$SCRATCH"
    local wanted
    wanted=$(mktemp)
    (cd "$ROOT" && git ls-files --cached --others --exclude-standard | sort) >"$wanted"
    while IFS= read -r f; do
        [ -f "$ROOT/$f" ] || continue
        if ! cmp -s "$ROOT/$f" "$SCRATCH/$f"; then
            mkdir -p "$(dirname "$SCRATCH/$f")"
            cp "$ROOT/$f" "$SCRATCH/$f"
        fi
    done <"$wanted"
    (cd "$SCRATCH" && find . \( -path ./build -o -path ./original \) -prune -o -type f -print | sed 's|^\./||' | sort) |
        comm -23 - "$wanted" | while IFS= read -r f; do rm -f "$SCRATCH/$f"; done
    rm -f "$wanted"
}

build() {
    cmake --build "$BUILD" -j"$JOBS" --target vorkala_tests vorkala_sdl_tests vorkala-script \
        >"$SCRATCH/build.log" 2>&1
}

# True when every test passes.
run_suite() {
    local pids=() failed=0 shard binary
    for binary in vorkala_tests vorkala_sdl_tests; do
        for ((shard = 0; shard < JOBS; shard++)); do
            VORKALA_HOME=$BUILD GTEST_TOTAL_SHARDS=$JOBS GTEST_SHARD_INDEX=$shard \
                timeout $LIMIT "$BUILD/tests/$binary" --gtest_brief=1 --gtest_fail_fast \
                >/dev/null 2>&1 &
            pids+=($!)
        done
    done
    timeout $LIMIT ctest --test-dir "$BUILD" -R '^script\.' -j"$JOBS" >/dev/null 2>&1 &
    pids+=($!)
    for pid in "${pids[@]}"; do { wait "$pid"; } 2>/dev/null || failed=1; done
    return $failed
}

# Prints the number of lines of FILE that contain PATTERN (plain text).
count_matches() {
    PATTERN=$2 awk 'index($0, ENVIRON["PATTERN"]) { n++ } END { print n + 0 }' "$1"
}

# Replaces the first occurrence of PATTERN on its line with REPLACEMENT.
apply_mutant() {
    PATTERN=$2 REPLACEMENT=$3 awk '{
        at = index($0, ENVIRON["PATTERN"])
        if (at) $0 = substr($0, 1, at - 1) ENVIRON["REPLACEMENT"] \
                     substr($0, at + length(ENVIRON["PATTERN"]))
        print
    }' "$1" >"$1.mutant" && mv "$1.mutant" "$1"
}

trim() {
    local s=$1
    s=${s#"${s%%[![:space:]]*}"}
    printf '%s' "${s%"${s##*[![:space:]]}"}"
}

report() {
    printf '%s\n' "$1"
    if [ -n "$results" ]; then printf '%s\n' "$1" >>"$results.tmp"; fi
}

tested=$(git -C "$ROOT" rev-parse --short HEAD)
[ -z "$(git -C "$ROOT" status --porcelain --untracked-files=no)" ] || tested="$tested with changes"
sync_scratch
if [ ! -f "$BUILD/CMakeCache.txt" ]; then
    cmake -S "$SCRATCH" -B "$BUILD" -DCMAKE_BUILD_TYPE=Release -DVORKALA_SANITIZE=OFF \
        -DVORKALA_FUZZ=OFF >"$SCRATCH/configure.log" 2>&1 ||
        { echo "configuring the scratch copy failed: $SCRATCH/configure.log"; exit 2; }
fi
echo "Building and testing the unmutated tree in $SCRATCH ..."
build || { echo "the unmutated tree does not build: $SCRATCH/build.log"; exit 2; }
run_suite || { echo "the suite fails without any mutant; fix that first"; exit 2; }

[ -n "$results" ] && : >"$results.tmp"
report "Mutants of $tested ($(date -u +%Y-%m-%d)), run by tools/mutants.sh:"
caught=0 missed=0 stale=0 broken=0 total=0
previous=""
while IFS= read -r -u 3 line || [ -n "$line" ]; do
    case $line in '' | '#'*) continue ;; esac
    if [ -n "$filter" ] && [[ $line != *"$filter"* ]]; then continue; fi
    file=${line%%: *}
    rest=${line#*: }
    pattern=$(trim "${rest%% ==>*}")
    replacement=$(trim "${rest#* ==>}")
    total=$((total + 1))
    # Undo the previous mutant; the build below compiles both files in one go. The copy
    # is fresh, so the build sees it as changed.
    if [ -n "$previous" ]; then cp "$SCRATCH/original" "$SCRATCH/$previous"; previous=""; fi
    if [[ $rest != *" ==>"* ]] || [ ! -f "$SCRATCH/$file" ] ||
        [ "$(count_matches "$SCRATCH/$file" "$pattern")" != 1 ]; then
        stale=$((stale + 1))
        report "stale   $line"
        continue
    fi
    cp "$SCRATCH/$file" "$SCRATCH/original"
    apply_mutant "$SCRATCH/$file" "$pattern" "$replacement"
    previous=$file
    if ! build; then
        broken=$((broken + 1))
        report "broken  $line"
    elif run_suite; then
        missed=$((missed + 1))
        report "missed  $line"
    else
        caught=$((caught + 1))
        report "caught  $line"
    fi
done 3<"$LIST"
if [ -n "$previous" ]; then cp "$SCRATCH/original" "$SCRATCH/$previous"; fi

report "Caught $caught of $total mutants ($missed missed, $stale stale, $broken broken)."
[ -n "$results" ] && mv "$results.tmp" "$results"
[ "$missed" -eq 0 ] && [ "$stale" -eq 0 ] && [ "$broken" -eq 0 ]
