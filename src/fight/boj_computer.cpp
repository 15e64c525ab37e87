// The computer opponents. A side's gate opens once the fighters come within reach and
// the store gives that side to the computer; then every tick of its timer draws a number
// from 1 to 100 and makes the move of the row whose bounds enclose it.
#include <span>

#include "fight/boj.h"
#include "fight/fighter_side.h"
#include "progress/pocitadlo.h"
#include "runtime/runtime.h"
#include "runtime/values.h"
#include "shell/game.h"
#include "shell/module.h"

namespace vorkala {

namespace {

constexpr float kWakingGap = 5000;

// A row is taken when the draw lies strictly between its bounds. A move is a routine or,
// without one, the side's jump request.
struct MoveRow {
    float above, below;
    void (Boj::*move)();
};

// The dash row admits no draw, and draws of 21, 22 and 25 (and 27 on the left) fall
// between the rows, so the computer never dashes and sometimes stands still.
constexpr MoveRow kRightMoves[] = {
    {0, 21, &Boj::vl},   {22, 24, &Boj::vp},   {23, 25, &Boj::dpest}, {24, 24, &Boj::utek},
    {25, 55, &Boj::kop}, {54, 65, &Boj::pest}, {64, 75, nullptr},     {74, 101, &Boj::dkop},
};
constexpr MoveRow kLeftMoves[] = {
    {0, 21, &Boj::vpravo}, {22, 24, &Boj::vlevo}, {23, 25, &Boj::SPEST}, {24, 24, &Boj::utekl},
    {25, 27, &Boj::HK},    {27, 65, &Boj::HP},    {64, 75, nullptr},     {74, 101, &Boj::SPODK},
};

// A computer player: its side and its moves.
struct ComputerPlayer {
    const FighterSide& side;
    std::span<const MoveRow> moves;
};
constexpr ComputerPlayer kRightPlayer{kRightFighter, kRightMoves};
constexpr ComputerPlayer kLeftPlayer{kLeftFighter, kLeftMoves};

// `nahoda` is shared and read afresh per row: a tick nested inside a move draws anew,
// and the outer tick's later rows test that draw.
void move(Boj& boj, const ComputerPlayer& player, const vk::Clock& clock) {
    boj.nahoda = RandomInRange(clock, 1, 100);
    for (const MoveRow& row : player.moves) {
        if (!(boj.nahoda > row.above && boj.nahoda < row.below)) continue;
        if (row.move)
            (boj.*row.move)();
        else
            boj.*player.side.jumpRequest = 1;
    }
}

}  // namespace

void Boj::poh() { move(*this, kRightPlayer, runtime().clock()); }
void Boj::pohyb() { move(*this, kLeftPlayer, runtime().clock()); }

// Never closes a gate; a gate opens only for a side the computer plays.
void Boj::Timer10_Timer() {
    auto& c = ui();
    if (!(c.druhej.left() - c.prvni.left() < kWakingGap)) return;
    auto& store = game_.pocitadlo().ui();
    auto playedByComputer = [&](const FighterSide& side) {
        return vk::captionValue(store.*side.computerDifficulty) > 0 ||
               vk::captionValue(store.*side.computerTurbo) == 1;
    };
    if (playedByComputer(kLeftFighter)) cekal = 0;
    if (playedByComputer(kRightFighter)) cekap = 0;
}

void Boj::Timer1_Timer() {
    if (cekal == 0) pohyb();
}

void Boj::Timer5_Timer() {
    if (cekap == 0) poh();
}

}  // namespace vorkala
