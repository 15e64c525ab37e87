// The ladder's opponents, their values and the tower's places.
#include "progress/ladder.h"

namespace vorkala {

namespace {

// The order in which the turbo buttons leave the opponents: the first one, then the ones
// they disable.
constexpr std::array<const char*, kLadderSteps> kLeftOpponents{
    "pz2", "tk", "pan", "krt", "rak", "xeo", "dulo", "fe", "Durvak", "bh", "zk", "Gradun", "Kuvo"};
constexpr std::array<const char*, kLadderSteps> kRightOpponents{
    "tb",    "vst",  "gv",    "rn",    "pz",   "brejl", "zetro",
    "lirka", "girl", "Zuvka", "Robot", "rodi", "oxa"};

// Steps 2 to 13: from 70 energy and 3 a blow up to 300 and 20.
constexpr std::array<LadderOpponent, kLadderSteps - 1> kOpponentValues{{
    {70, 3},
    {90, 4},
    {110, 5},
    {130, 7},
    {150, 8},
    {170, 10},
    {190, 11},
    {210, 13},
    {230, 14},
    {250, 16},
    {275, 18},
    {300, 20},
}};

// The tower winds up from the bottom row, four rungs a row; the right tower is the mirror
// image of the left one, so both start at the screen's edge.
struct Rung {
    int column, row;  // row 0 is the bottom
};
constexpr std::array<Rung, kTowerRungs> kRungs{{
    {0, 0},
    {1, 0},
    {2, 0},
    {3, 0},
    {3, 1},
    {2, 1},
    {1, 1},
    {0, 1},
    {0, 2},
    {1, 2},
    {2, 2},
    {3, 2},
    {3, 3},
    {2, 3},
}};
constexpr float kColumnWidth = 840, kRowHeight = 840;
constexpr float kLeftTowerLeft = 0, kRightTowerLeft = 11040, kBottomRowTop = 6840;

}  // namespace

const std::array<const char*, kLadderSteps>& ladderOpponents(Side roster) {
    return roster == Side::Left ? kLeftOpponents : kRightOpponents;
}

std::optional<LadderOpponent> ladderOpponentValues(int step) {
    if (step < 2 || step > kLadderSteps) return std::nullopt;
    return kOpponentValues[static_cast<std::size_t>(step - 2)];
}

TowerPlace towerPlace(Side roster, int rung) {
    const Rung& place = kRungs.at(static_cast<std::size_t>(rung - 1));
    const float offset = static_cast<float>(place.column) * kColumnWidth;
    return {roster == Side::Left ? kLeftTowerLeft + offset : kRightTowerLeft - offset,
            kBottomRowTop - static_cast<float>(place.row) * kRowHeight};
}

}  // namespace vorkala
