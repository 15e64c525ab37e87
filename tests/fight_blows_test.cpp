// The eight blows: for a range of starting gaps, whether each blow lands and at what gap
// it is tested; the damage by the attacker's height; the bars' lengths and colours; and
// the energy copies that the time-out reads.
#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "fight_fixture.h"

namespace vorkala::testing {
namespace {

constexpr long kRoundStartMs = 5000;

struct BlowKind {
    const char* name;
    bool rightAttacker;
    bool kick;
    int pose;
};

constexpr BlowKind kBlows[] = {
    {"dkop", true, true, 15},   {"kop", true, true, 8},     {"dpest", true, false, 5},
    {"pest", true, false, 11},  {"SPODK", false, true, 15}, {"HK", false, true, 8},
    {"SPEST", false, false, 5}, {"HP", false, false, 11},
};

// The blows' consequences for a starting gap g: the attacker first steps back to its
// minimum gap (2150 right, 2000 left), a kick then closes in by 240; it lands below 2300.
float gapWhenTested(const BlowKind& blow, float g) {
    const float minimum = blow.rightAttacker ? 2150 : 2000;
    return std::max(g, minimum) - (blow.kick ? 240 : 0);
}

class BlowGap : public FightFixture,
                public ::testing::WithParamInterface<std::tuple<BlowKind, float>> {};

TEST_P(BlowGap, LandsBelow2300AfterTheMinimumGapAndTheLunge) {
    const auto [blow, gap] = GetParam();
    startFight();
    // The victim stands still at a known place; the attacker faces it at the gap.
    const float victimLeft = blow.rightAttacker ? 3000 : 7000;
    if (blow.rightAttacker)
        place(victimLeft, victimLeft + gap);
    else
        place(victimLeft - gap, victimLeft);
    headless.audio.takeCommands();
    call(blow.name);

    auto& c = fight();
    const vk::Control& attacker = blow.rightAttacker ? c.druhej : c.prvni;
    const vk::Control& victimEnergy = blow.rightAttacker ? c.ziv1 : c.ziv2;
    const float tested =
        blow.rightAttacker ? attacker.left() - victimLeft : victimLeft - attacker.left();
    EXPECT_EQ(tested, gapWhenTested(blow, gap));
    const bool lands = gapWhenTested(blow, gap) < 2300;
    EXPECT_EQ(victimEnergy.caption(), lands ? "48" : "50");
    // Hit or miss, the sound restarts and the attacker keeps the blow's pose.
    const auto& poses = blow.rightAttacker ? pictures().pravej : pictures().levej;
    EXPECT_EQ(attacker.picture(), poses[blow.pose].picture());
    const auto sounds = headless.audio.commands();
    ASSERT_GE(sounds.size(), 3u);
    const std::string channel = blow.rightAttacker ? "boj.MMControl2" : "boj.MMControl4";
    for (std::size_t i = 0; i < 3; ++i) EXPECT_EQ(sounds[i].owner, channel);
    EXPECT_EQ(sounds[0].command, "close");
    EXPECT_EQ(sounds[1].command, "Open");
    EXPECT_EQ(sounds[2].command, "play");
}

INSTANTIATE_TEST_SUITE_P(Gaps, BlowGap,
                         ::testing::Combine(::testing::ValuesIn(kBlows),
                                            ::testing::Values(1000.f, 1500.f, 2000.f, 2150.f,
                                                              2299.f, 2300.f, 2539.f, 2540.f,
                                                              4000.f)),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param).name) + "_" +
                                    std::to_string(static_cast<int>(std::get<1>(info.param)));
                         });

TEST_F(FightFixture, AttackerAtTheEdgeIsKeptOnTheFloorBeforeEachLungeStep) {
    startFight();
    place(-500, 100);  // both beyond the left edge, as steps back can leave them
    call("dkop");
    EXPECT_EQ(fight().druhej.left(), 1650 - 240) << "set back to 2150 from the left fighter";
    place(9900, 12000);
    call("SPODK");
    EXPECT_EQ(fight().prvni.left(), 10000 + 80) << "the edge holds before the last step only";
}

TEST_F(FightFixture, BlowsLeaveTheDashCounterAlone) {
    startFight();
    place(3000, 4000);
    boj().kroky = 4;  // a dash waiting between its steps
    for (const BlowKind& blow : kBlows) call(blow.name);
    EXPECT_EQ(boj().kroky, 4);
}

TEST_F(FightFixture, RepeatedKicksOutOfReachCloseInUntilOneLands) {
    startFight();
    place(3000, 6000);
    std::vector<float> places;
    std::vector<std::string> energies;
    for (int i = 0; i < 3; ++i) {
        call("kop");
        places.push_back(fight().druhej.left());
        energies.push_back(fight().ziv1.caption());
    }
    EXPECT_EQ(places, (std::vector<float>{5760, 5520, 5280}));
    EXPECT_EQ(energies, (std::vector<std::string>{"50", "50", "48"})) << "2280 is in reach";
}

// ---- damage by height, bars and their colours

struct HeightCase {
    bool rightAttacker;
    float aboveGround;
    const char* energyAfter;
    float barMove;
};

class DamageByHeight : public FightFixture, public ::testing::WithParamInterface<HeightCase> {};

TEST_P(DamageByHeight, AnAttackerMoreThan600AboveItsGroundHitsTwice) {
    const HeightCase& t = GetParam();
    startFight();
    auto& c = fight();
    vk::Control& attacker = t.rightAttacker ? c.druhej : c.prvni;
    vk::Control& bar = t.rightAttacker ? c.Line1 : c.Line2;
    const float barBefore = bar.x1();
    place(3000, 5000);  // a punch in reach from either side
    attacker.setTop(4320 - t.aboveGround);
    call(t.rightAttacker ? "pest" : "HP");
    EXPECT_EQ((t.rightAttacker ? c.ziv1 : c.ziv2).caption(), t.energyAfter);
    EXPECT_EQ(std::abs(bar.x1() - barBefore), t.barMove);
    EXPECT_EQ(bar.borderColor(), fight_colours::kGreen);
}

INSTANTIATE_TEST_SUITE_P(
    Heights, DamageByHeight,
    ::testing::Values(HeightCase{true, 0, "48", 200}, HeightCase{true, 600, "48", 200},
                      HeightCase{true, 601, "46", 400}, HeightCase{false, 0, "48", 200},
                      HeightCase{false, 600, "48", 200}, HeightCase{false, 601, "46", 400},
                      HeightCase{false, 3000, "46", 400}));

struct ColourCase {
    bool leftBar;
    float x1;
    std::int16_t step;
    vk::Colour afterFirst, afterSecond;
};

class BarColour : public FightFixture, public ::testing::WithParamInterface<ColourCase> {};

TEST_P(BarColour, FollowsTheBarsEndAsItStoodBeforeTheBlow) {
    const ColourCase& t = GetParam();
    startFight();
    auto& c = fight();
    vk::Control& bar = t.leftBar ? c.Line1 : c.Line2;
    bar.setX1(t.x1);
    (t.leftBar ? boj().leftBarStep : boj().rightBarStep) = t.step;
    const std::string routine = t.leftBar ? "zivoty1" : "zivoty2";
    call(routine);
    EXPECT_EQ(bar.borderColor(), t.afterFirst);
    EXPECT_EQ(bar.x1(), t.x1 + (t.leftBar ? -t.step : t.step));
    call(routine);
    EXPECT_EQ(bar.borderColor(), t.afterSecond);
}

constexpr vk::Colour kGreen = fight_colours::kGreen, kYellow = fight_colours::kBarYellow,
                     kRed = fight_colours::kRed;
INSTANTIATE_TEST_SUITE_P(Ends, BarColour,
                         ::testing::Values(ColourCase{true, 3000, 200, kGreen, kYellow},
                                           ColourCase{true, 2900, 200, kGreen, kYellow},
                                           ColourCase{true, 3000, 1500, kGreen, kRed},
                                           ColourCase{true, 1700, 100, kYellow, kRed},
                                           ColourCase{true, 1650, 100, kYellow, kRed},
                                           ColourCase{false, 9000, 200, kGreen, kYellow},
                                           ColourCase{false, 9100, 200, kGreen, kYellow},
                                           ColourCase{false, 9000, 1500, kGreen, kRed},
                                           ColourCase{false, 10300, 100, kYellow, kRed},
                                           ColourCase{false, 10350, 100, kYellow, kRed}));

class EnergyAtZero : public FightFixture, public ::testing::WithParamInterface<bool> {};

TEST_P(EnergyAtZero, LeavesAnEmptyBarShownAndTheNextBlowHidesIt) {
    const bool left = GetParam();
    startFight();
    auto& c = fight();
    vk::Control& bar = left ? c.Line1 : c.Line2;
    vk::Control& energy = left ? c.ziv1 : c.ziv2;
    for (int blow = 0; blow < 25; ++blow) call(left ? "zivoty1" : "zivoty2");
    EXPECT_EQ(energy.caption(), "0");
    EXPECT_TRUE(bar.visible());
    EXPECT_EQ(bar.x1(), bar.x2()) << "25 steps of 200 make the whole bar";
    call(left ? "zivoty1" : "zivoty2");
    EXPECT_EQ(energy.caption(), "-2");
    EXPECT_FALSE(bar.visible());
}

INSTANTIATE_TEST_SUITE_P(Sides, EnergyAtZero, ::testing::Bool());

TEST_F(FightFixture, Timer12CopiesTheEnergiesAndTurnsACopyRedWithItsBar) {
    startFight();
    call("zivoty2");
    call("zivoty2");
    fight().Line1.setX1(1649);
    advanceMs(16);  // one tick at the timer resolution
    EXPECT_EQ(fight().Label3.caption(), "50");
    EXPECT_EQ(fight().Label4.caption(), "46");
    EXPECT_EQ(fight().Label3.foreColor(), fight_colours::kRed);
    EXPECT_NE(fight().Label4.foreColor(), fight_colours::kRed);
    fight().Line2.setX1(10351);
    advanceMs(16);
    EXPECT_EQ(fight().Label4.foreColor(), fight_colours::kRed);
}

// A fight played with blows only, nothing written to the copies by hand: the countdown
// decides it on the copies Timer12 keeps.
TEST_F(FightFixture, RealFightReachesTheAfterFightScreenByTimeOut) {
    startFight("50", "50");
    advanceMs(kRoundStartMs);
    place(3000, 5000);
    for (int i = 0; i < 3; ++i) call("HP");
    call("pest");
    EXPECT_EQ(fight().ziv1.caption(), "48");
    EXPECT_EQ(fight().ziv2.caption(), "44");
    advanceMs(60000);
    EXPECT_TRUE(fight().hlaska.visible());
    EXPECT_EQ(fight().Image1.picture(), pictures().levej[20].picture()) << "the left one won";
    EXPECT_EQ(game.drzky().ui().levej.picture(), pictures().levejwin.picture());
    advanceMs(5000 + 4000);
    EXPECT_TRUE(game.drzky().visible());
}

}  // namespace
}  // namespace vorkala::testing
