#!/bin/bash
# Two games against one settings file, each driven line by line by vorkala-script: game B
# waits on the selection screen while game A wins a fight against the computer and exits,
# then B wins a fight of its own and exits. B writes its counters back at every selection
# load and at its exit with the values it read at its start; both wins stay in the file.
# Usage: two_games.sh DRIVER WORKDIR
set -eu
DRIVER=$1
WORK=$2
rm -rf "$WORK"
mkdir -p "$WORK"
cd "$WORK"
FILE=$WORK/settings.json

fail() {
    echo "two_games: $*" >&2
    for game in a b; do [ -f $game.out ] && sed "s/^/$game: /" $game.out >&2; done
    exit 1
}

# Runs a whole script and prints its output.
runScript() {
    printf '%s\n' "settings $FILE" start "$@" > script.vks
    "$DRIVER" script.vks || fail "script exited with $?: $*"
}

# A few commands to a running game, one line each.
send() {
    local fd=$1
    shift
    printf '%s\n' "$@" >&"$fd"
}

# Waits until a game has printed the text; a guard against a hung game, not a time limit
# of the test.
waitFor() {
    local game=$1 text=$2
    for _ in $(seq 6000); do
        grep -qxF -- "$text" $game.out 2>/dev/null && return 0
        sleep 0.05
    done
    fail "game $game never printed '$text'"
}

# A fight against the computer, won by the human: TOGGLE and DIFFICULTY put the computer
# on a side; the side that loses is told by LOSER ("vyhra": the right one).
winFight() {
    local fd=$1 toggle=$2 difficulty=$3 left=$4 right=$5 loser=$6
    send "$fd" "click vyberpostav.$toggle" "click vyberpostav.$difficulty" \
        "click vyberpostav.pz2" "click vyberpostav.pz" "advance 6000" \
        "expect boj.visible == True" \
        "set boj.ziv1.Caption $left" "set boj.ziv2.Caption $right" \
        "set boj.Label3.Caption $left" "set boj.Label4.Caption $right" \
        "call boj.$loser" "advance 4000" "expect drzky.visible == True" "click drzky.Image1" \
        "expect vyberpostav.visible == True"
}

runScript "click uvodni.Image5" "click vyberpostav.Image14" > first.out

mkfifo a.in b.in
"$DRIVER" - < a.in > a.out 2>&1 &
A=$!
"$DRIVER" - < b.in > b.out 2>&1 &
B=$!
exec 3> a.in 4> b.in

send 4 "settings $FILE" start "click uvodni.Image1" "print pocitadlo.LehkaP.Caption"
waitFor b "pocitadlo.LehkaP.Caption = 0"

send 3 "settings $FILE" start "click uvodni.Image1"
winFight 3 Image3 Image7 40 10 vyhra
send 3 "print pocitadlo.LehkaP.Caption" "click vyberpostav.Image14"
waitFor a "ended"
grep -qxF "pocitadlo.LehkaP.Caption = 1" a.out || fail "game A did not win"
exec 3>&-
wait $A || fail "game A exited with $?"

winFight 4 Image2 Image4 10 40 vyhral
send 4 "print pocitadlo.LehkaL.Caption" "click vyberpostav.Image14"
waitFor b "ended"
grep -qxF "pocitadlo.LehkaL.Caption = 1" b.out || fail "game B did not win"
exec 4>&-
wait $B || fail "game B exited with $?"

runScript "click uvodni.Image1" "print pocitadlo.LehkaP.Caption" "print pocitadlo.LehkaL.Caption" \
    > last.out
grep -qxF "pocitadlo.LehkaP.Caption = 1" last.out || fail "game A's win is lost: $(cat last.out)"
grep -qxF "pocitadlo.LehkaL.Caption = 1" last.out || fail "game B's win is lost: $(cat last.out)"
echo "both wins kept"
