// Whole fights against the computer, played as the fight benchmark plays them: the
// computer on the right at each difficulty, the left side played with its keys. Every
// fight must reach the after-fight screen with energy lost on the way.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "runtime/data_files.h"
#include "runtime/values.h"
#include "whole_game.h"

namespace vorkala::testing {
namespace {

using C = VyberpostavControls;

struct Difficulty {
    const char* name;
    vk::Control C::*button;
};

class ComputerFight : public ::testing::TestWithParam<Difficulty> {};

TEST_P(ComputerFight, TheScriptedPlayerFightsToTheAfterFightScreen) {
    WholeGame g(vk::defaultProgramFolder());
    g.headless.display.setDesktop(1024, 768);
    g.startToSelection();
    ASSERT_TRUE(g.startFightAgainstComputer(GetParam().button, "pz2", "pz"));
    auto& fight = g.game.boj().ui();
    const double leftStart = vk::captionValue(fight.ziv1);
    const double rightStart = vk::captionValue(fight.ziv2);
    double leftLowest = leftStart, rightLowest = rightStart;
    const long end = g.nowMs() + kLongestFightMs;
    while (!WholeGame::showing(g.game.drzky()) && !g.runtime.ended() && g.nowMs() < end) {
        g.playLeftUntilFightEnds(500);
        if (!g.game.boj().loaded()) break;
        leftLowest = std::min(leftLowest, vk::captionValue(fight.ziv1));
        rightLowest = std::min(rightLowest, vk::captionValue(fight.ziv2));
    }
    EXPECT_TRUE(WholeGame::showing(g.game.drzky()));
    EXPECT_FALSE(g.runtime.ended());
    EXPECT_TRUE(leftLowest < leftStart || rightLowest < rightStart);
}

INSTANTIATE_TEST_SUITE_P(Difficulties, ComputerFight,
                         ::testing::Values(Difficulty{"easy", &C::Image7},
                                           Difficulty{"medium", &C::Image8},
                                           Difficulty{"hard", &C::Image9}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vorkala::testing
