// The turbo ladder: one human with three lives takes on the other roster, one opponent a
// fight, the opponents rising in energy and blow strength. The roster that is the ladder
// is laid out as a tower: the step's opponent can be picked, beaten ones are struck off.
#pragma once

#include <array>
#include <optional>

#include "progress/side.h"

namespace vorkala {

inline constexpr int kLadderSteps = 13;
// The 13 opponents and the roster's secret-fighter cover on top.
inline constexpr int kTowerRungs = kLadderSteps + 1;
inline constexpr int kLadderGlideSteps = 10000;

// The opponents of the ladder made of `roster`, step 1 first.
const std::array<const char*, kLadderSteps>& ladderOpponents(Side roster);

// The opponent's starting energy and the energy the human loses per blow it lands.
struct LadderOpponent {
    double energy;
    double strength;
};
// Steps 2 to 13; step 1 keeps what the picks and the selection screen's load give.
std::optional<LadderOpponent> ladderOpponentValues(int step);

struct TowerPlace {
    float left, top;
};
// Where rung 1 to 14 of the tower of `roster` stands, below the roster's block.
TowerPlace towerPlace(Side roster, int rung);

inline constexpr const char* kStruckOffPicture = "\\data\\obr\\mrtev.old";
// Played on the selection screen when the human has won the ladder's first fight.
inline constexpr const char* kLadderVideo = "\\data\\video\\1.old";
inline constexpr int kVideoStep = 2;

}  // namespace vorkala
