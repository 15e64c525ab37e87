// Floor stains that grow with the hits counted in each zone, and the combos: every 7th
// landed kick (counted across fights) and every 11th landed punch push the fighters apart.
#include <string>
#include <vector>

#include "fight_fixture.h"

namespace vorkala::testing {
namespace {

struct StainCase {
    const char* count;
    int stage;  // -1: no stain yet
};

class FloorStain : public FightFixture, public ::testing::WithParamInterface<StainCase> {};

TEST_P(FloorStain, ShowsTheStageOfEveryThirdHitInItsZoneOnly) {
    startFight();
    pictures().Label2.setCaption(GetParam().count);
    call("krv");
    const int stage = GetParam().stage;
    EXPECT_EQ(fight().krev[1].picture(),
              stage < 0 ? vk::PictureRef{} : pictures().vzorek[stage].picture());
    for (int other : {0, 2, 3}) EXPECT_EQ(fight().krev[other].picture(), nullptr) << other;
}

INSTANTIATE_TEST_SUITE_P(Counts, FloorStain,
                         ::testing::Values(StainCase{"1", -1}, StainCase{"2", -1},
                                           StainCase{"3", 0}, StainCase{"6", 1}, StainCase{"15", 4},
                                           StainCase{"27", 8}, StainCase{"30", -1}));

TEST_F(FightFixture, StainsGrowWithTheHitsAndKeepTheirStageBetweenThirds) {
    startFight();
    place(3000, 6000);  // the right fighter stands in zone 3
    std::vector<vk::PictureRef> shown;
    for (int hit = 1; hit <= 28; ++hit) {
        call("krevdruhy");
        fight().druhej.setLeft(6000);
        shown.push_back(fight().krev[2].picture());
    }
    EXPECT_EQ(shown[1], nullptr) << "two hits";
    EXPECT_EQ(shown[2], pictures().vzorek[0].picture());
    EXPECT_EQ(shown[4], pictures().vzorek[0].picture()) << "five hits";
    EXPECT_EQ(shown[5], pictures().vzorek[1].picture());
    EXPECT_EQ(shown[27], pictures().vzorek[8].picture()) << "28 keeps the last stage";
    EXPECT_EQ(pictures().Label3.caption(), "28");
}

// ---- combos

struct ComboCase {
    const char* name;
    const char* routine;
    int landedBefore;
    float left, right;
    float leftAfter, rightAfter;
    bool pictureShown;
    float pictureLeft;
};

class Combo : public FightFixture, public ::testing::WithParamInterface<ComboCase> {};

TEST_P(Combo, PushesTheFightersApartAndShowsThePictureAwayFromTheLeftFighter) {
    const ComboCase& t = GetParam();
    startFight();
    for (int i = 0; i < t.landedBefore; ++i) call(t.routine);
    place(t.left, t.right);
    int paces = 0;
    pacer.probe = [&] { ++paces; };
    call(t.routine);
    EXPECT_EQ(fight().prvni.left(), t.leftAfter);
    EXPECT_EQ(fight().druhej.left(), t.rightAfter);
    EXPECT_EQ(fight().combo.visible(), t.pictureShown);
    EXPECT_EQ(fight().combo.left(), t.pictureLeft);
    const bool pushed = t.leftAfter != t.left || t.rightAfter != t.right;
    if (pushed) {
        EXPECT_EQ(fight().Timer19.interval(), 2000);
        EXPECT_EQ(paces, std::string(t.routine) == "odlet" ? 20 : 15) << "one pace a step";
        EXPECT_EQ(boj().kickCounter + boj().punchCounter, 0) << "counting starts again";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Counts, Combo,
    ::testing::Values(
        ComboCase{"SixthKick", "odlet", 5, 1200, 4000, 1200, 4000, false, 4440},
        ComboCase{"SeventhKick", "odlet", 6, 1200, 4000, 200, 6100, true, 8000},
        ComboCase{"KickLeftFighterPastTheMiddle", "odlet", 6, 6000, 7000, 3900, 9100, true, 200},
        ComboCase{"KickLeftFighterInTheMiddle", "odlet", 6, 5000, 6000, 2900, 8100, false, 4440},
        ComboCase{"KickNearTheEdges", "odlet", 6, 300, 9000, 200, 10000, true, 8000},
        ComboCase{"TenthPunch", "odskok", 9, 4000, 6000, 4000, 6000, false, 4440},
        ComboCase{"EleventhPunch", "odskok", 10, 4000, 6000, 2800, 7200, true, 8000}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(FightFixture, ComboPictureHidesTwoSecondsLater) {
    startFight();
    for (int i = 0; i < 6; ++i) call("odlet");
    const long comboAt = nowMs();
    call("odlet");
    ASSERT_TRUE(fight().combo.visible());
    advanceMs(comboAt + 1999 - nowMs());  // the push-apart itself took some of the time
    EXPECT_TRUE(fight().combo.visible());
    advanceMs(1);
    EXPECT_FALSE(fight().combo.visible());
    EXPECT_EQ(fight().Timer19.interval(), 0);
}

// Kicks count across fights; punches start from 0 at every load; neither counts the other.
TEST_F(FightFixture, KicksLandedInOneFightCountTowardAComboInTheNext) {
    startFight();
    place(3000, 5000);
    for (int i = 0; i < 6; ++i) {
        call("SPODK");
        place(3000, 5000);
    }
    for (int i = 0; i < 10; ++i) call("SPEST");
    EXPECT_FALSE(fight().combo.visible());
    run([&] { boj().unload(); });
    loadFight();
    ASSERT_EQ(fight().ziv2.caption(), "50") << "a new fight";
    place(3000, 5000);
    call("SPEST");
    EXPECT_FALSE(fight().combo.visible()) << "the first punch of the fight";
    call("SPODK");
    EXPECT_TRUE(fight().combo.visible()) << "the seventh kick over both fights";
}

}  // namespace
}  // namespace vorkala::testing
