// Picks and previews of the fighters, the pick counter and the hand-over to the fight.
#include <optional>

#include "progress/saved_progress.h"
#include "select_fixture.h"
#include "shell/hlaska.h"
#include "shell/module.h"

namespace vorkala::testing {
namespace {

constexpr float kDesignSpriteTop = 4320;

class EveryFighterPick : public SelectionFixture,
                         public ::testing::WithParamInterface<const Fighter*> {};

float expectedSpriteTop(const Fighter& f) {
    switch (f.topRule) {
        case TopRule::Absolute:
            return f.topValue;
        case TopRule::Relative:
            return kDesignSpriteTop + f.topValue;
        case TopRule::None:
            break;
    }
    return kDesignSpriteTop;
}

TEST_P(EveryFighterPick, LoadsItsFilesNameAndHeightAndGlidesToItsSidesTarget) {
    const Fighter& f = *GetParam();
    const bool left = f.side == Side::Left;
    startSelection();
    call(std::string(f.code) + "_Click");

    auto& poses = left ? pictures().levej : pictures().pravej;
    for (int pose : kPoseIndices) EXPECT_EQ(source(poses[pose]), poseFile(f, pose)) << pose;
    EXPECT_EQ(source(left ? pictures().levejwin : pictures().pravejwin), winFaceFile(f));
    EXPECT_EQ(source(left ? pictures().levejout : pictures().pravejout), loseFaceFile(f));
    ASSERT_TRUE(fight().background);
    EXPECT_EQ(fight().background->source(), f.background);
    EXPECT_EQ((left ? fight().meno1 : fight().meno2).caption(), f.displayName);
    EXPECT_EQ((left ? game.drzky().ui().lev : game.drzky().ui().prav).caption(), f.displayName);
    EXPECT_EQ((left ? fight().prvni : fight().druhej).top(), expectedSpriteTop(f));
    EXPECT_EQ((left ? fight().Image1 : fight().Image2).top(), expectedSpriteTop(f));
    EXPECT_EQ(ui().Label2.caption(), "1");
    EXPECT_EQ(portrait(f.code).left(), left ? 5160 : 6000);
    EXPECT_EQ(portrait(f.code).top(), 2520);

    const std::string channel = left ? "vyberpostav.levej" : "vyberpostav.pravej";
    EXPECT_EQ(commandsTo(channel), (std::vector<std::string>{"Open", "play"}));
    EXPECT_EQ((left ? ui().levej : ui().pravej).fileName(), programFile(runtime, voiceFile(f)));
}

INSTANTIATE_TEST_SUITE_P(Roster, EveryFighterPick, ::testing::ValuesIn(everyFighter()),
                         [](const auto& info) { return std::string(info.param->code); });

// The computer's tick is written only when the other side's turbo flag reads exactly 1.
struct TickCase {
    const char* code;
    const char* turbol;
    const char* turbop;
    int leftComputer;   // boj.Timer1's interval after the pick (design 0)
    int rightComputer;  // boj.Timer5's interval (design 1)
};

class TurboTick : public SelectionFixture, public ::testing::WithParamInterface<TickCase> {};

TEST_P(TurboTick, IsWrittenOnlyWhenTheFlagReadsExactlyOne) {
    const TickCase& t = GetParam();
    startSelection();
    store().Turbol.setCaption(t.turbol);
    store().Turbop.setCaption(t.turbop);
    call(std::string(t.code) + "_Click");
    EXPECT_EQ(fight().Timer1.interval(), t.leftComputer);
    EXPECT_EQ(fight().Timer5.interval(), t.rightComputer);
}

INSTANTIATE_TEST_SUITE_P(
    Picks, TurboTick,
    ::testing::Values(TickCase{"krt", "0", "1", 600, 1}, TickCase{"krt", "0", "0", 0, 1},
                      TickCase{"krt", "0", "2", 0, 1}, TickCase{"dulo", "0", "1", 300, 1},
                      TickCase{"Kuvo", "0", "1", 0, 1}, TickCase{"gv", "1", "0", 0, 600},
                      TickCase{"Robot", "1", "0", 0, 1}, TickCase{"lirka", "0", "1", 0, 1},
                      // oxa gives the left computer 10 as well when the right human is
                      // on the ladder.
                      TickCase{"oxa", "0", "1", 10, 1}, TickCase{"oxa", "1", "0", 0, 400},
                      TickCase{"oxa", "0", "0", 0, 1}));

// tk and rodi start with 100 energy and take 10 per blow from the other fighter, with or
// without turbo play.
struct StrongCase {
    const char* code;
    const char* turbo;  // both flags
    vk::Control PocitadloControls::*energy;
    vk::Control BojControls::*fightEnergy;
    vk::Control PocitadloControls::*otherStrength;
};

class StrongStart : public SelectionFixture, public ::testing::WithParamInterface<StrongCase> {};

TEST_P(StrongStart, SetsEnergyAndOtherSidesLossPerBlow) {
    const StrongCase& t = GetParam();
    startSelection();
    store().Turbol.setCaption(t.turbo);
    store().Turbop.setCaption(t.turbo);
    call(std::string(t.code) + "_Click");
    EXPECT_EQ((store().*t.energy).caption(), "100");
    EXPECT_EQ((fight().*t.fightEnergy).caption(), "100");
    EXPECT_EQ((store().*t.otherStrength).caption(), "10");
}

INSTANTIATE_TEST_SUITE_P(
    Picks, StrongStart,
    ::testing::Values(StrongCase{"tk", "0", &PocitadloControls::energiel, &BojControls::ziv1,
                                 &PocitadloControls::silauderup},
                      StrongCase{"tk", "1", &PocitadloControls::energiel, &BojControls::ziv1,
                                 &PocitadloControls::silauderup},
                      StrongCase{"rodi", "0", &PocitadloControls::energiep, &BojControls::ziv2,
                                 &PocitadloControls::silauderul},
                      StrongCase{"rodi", "1", &PocitadloControls::energiep, &BojControls::ziv2,
                                 &PocitadloControls::silauderul}));

// Height rules on one fight screen: absolute ones set, relative ones add up.
struct HeightCase {
    std::vector<const char*> picks;
    vk::Control BojControls::*sprite;
    float top;
};

class HeightRules : public SelectionFixture, public ::testing::WithParamInterface<HeightCase> {};

TEST_P(HeightRules, ApplyToTheSpritesAsTheyStand) {
    startSelection();
    for (const char* code : GetParam().picks) call(std::string(code) + "_Click");
    EXPECT_EQ((fight().*GetParam().sprite).top(), GetParam().top);
}

INSTANTIATE_TEST_SUITE_P(Picks, HeightRules,
                         ::testing::Values(HeightCase{{"fe", "fe"}, &BojControls::prvni, 6320},
                                           HeightCase{{"fe", "fe"}, &BojControls::Image1, 6320},
                                           HeightCase{{"zk"}, &BojControls::prvni, 1920},
                                           HeightCase{{"oxa"}, &BojControls::druhej, 3820},
                                           HeightCase{{"Zuvka", "oxa"}, &BojControls::druhej, 3500},
                                           HeightCase{{"pz"}, &BojControls::Image2, 4620},
                                           HeightCase{
                                               {"Zuvka", "brejl"}, &BojControls::druhej, 4000},
                                           HeightCase{{"rn"}, &BojControls::druhej, 4320}));

// Only exactly two picks, of either side, start the fight at the hand-over timer's tick.
struct HandOverCase {
    std::vector<const char*> picks;
    bool fightStarts;
};

class HandOver : public SelectionFixture, public ::testing::WithParamInterface<HandOverCase> {};

TEST_P(HandOver, StartsTheFightOnlyAtExactlyTwoPicks) {
    startSelection();
    for (const char* code : GetParam().picks) click(portrait(code));
    advanceToMs(5999);
    ASSERT_TRUE(game.vyberpostav().visible());
    advanceToMs(12001);
    const bool started = GetParam().fightStarts;
    EXPECT_EQ(game.boj().visible(), started);
    EXPECT_EQ(game.vyberpostav().loaded(), !started);
    const auto music = commandsTo("vyberpostav.MMControl2");
    EXPECT_EQ(!music.empty() && music.back() == "Close", started);
    if (started) {
        EXPECT_EQ(readSetting(runtime, highScoreNameKey(0)), "Zakrel");
        EXPECT_EQ(readSetting(runtime, highScorePointsKey(4)), "5");
    }
}

INSTANTIATE_TEST_SUITE_P(Picks, HandOver,
                         ::testing::Values(HandOverCase{{"pz2", "pz"}, true},
                                           HandOverCase{{"pz", "pz"}, true},
                                           HandOverCase{{"pz"}, false}, HandOverCase{{}, false},
                                           HandOverCase{{"pz2", "pz", "pz"}, false}));

TEST_F(SelectionFixture, InfoScreenInFrontDoesNotStopTheHandOver) {
    startSelection();
    click(portrait("pz2"));
    click(portrait("pz"));
    click(ui().Image12);
    EXPECT_TRUE(game.hlaska().visible());
    advanceToMs(6000);
    EXPECT_TRUE(game.boj().visible());
}

TEST_F(SelectionFixture, CoveredPortraitTakesNoClickAndNoMouseMove) {
    startSelection();
    click(portrait("krt"));
    moveOver(portrait("krt"));
    EXPECT_EQ(ui().Label2.caption(), "0");
    EXPECT_FALSE(ui().hrac.visible());
    ui().levejotaznik1[1].setVisible(false);
    moveOver(portrait("krt"));
    EXPECT_EQ(source(ui().hrac), "\\data\\obr\\krtpost.old");
    click(portrait("krt"));
    EXPECT_EQ(ui().Label2.caption(), "1");
}

TEST_F(SelectionFixture, PreviewKeepsItsFighterUntilTheTimerHidesIt) {
    startSelection();
    call("krt_MouseMove");
    call("Gradun_MouseMove");
    EXPECT_TRUE(ui().hrac.visible());
    EXPECT_EQ(source(ui().hrac), "\\data\\obr\\krtpost.old");
    advanceToMs(1000);
    EXPECT_FALSE(ui().hrac.visible());
    // Gradun's preview name differs from its stance file only in letter case.
    call("Gradun_MouseMove");
    EXPECT_EQ(source(ui().hrac), "\\data\\obr\\gradunpost.old");
    call("pz_MouseMove");
    EXPECT_EQ(source(ui().srac), "\\data\\obr\\pzopost2.old");
    EXPECT_EQ(ui().srac.width(), static_cast<float>(ui().srac.picture()->width() * 15));
    advanceToMs(2000);
    EXPECT_FALSE(ui().srac.visible());
}

TEST_F(SelectionFixture, Pz2LocksTheLeftRosterAndItsPreview) {
    startSelection();
    for (int i = 0; i <= 11; ++i) ui().levejotaznik1[i].setVisible(false);
    click(portrait("pz2"));
    for (const Fighter& f : roster())
        EXPECT_EQ(portrait(f.code).enabled(), f.side == Side::Right) << f.code;
    EXPECT_EQ(source(ui().hrac), "\\data\\obr\\2pzopost1.old");
    EXPECT_FALSE(ui().Timer4.enabled());
    advanceToMs(5000);
    EXPECT_TRUE(ui().hrac.visible());
    click(portrait("pz2"));
    click(portrait("krt"));
    moveOver(portrait("fe"));
    EXPECT_EQ(ui().Label2.caption(), "1");
    EXPECT_EQ(source(ui().hrac), "\\data\\obr\\2pzopost1.old");
}

// A pick made while pz2's portrait glides runs inside that glide; the shared step counter
// ends the outer glide after the step in progress.
TEST_F(SelectionFixture, PickNestedInPz2sGlideCountsBothAndStopsTheGlideShort) {
    startSelection();
    ui().levejotaznik1[1].setVisible(false);
    postClick(portrait("pz2"));
    postClick(portrait("krt"));
    runtime.dispatchPending();
    EXPECT_EQ(ui().Label2.caption(), "2");
    EXPECT_EQ(portrait("krt").left(), 5160);
    EXPECT_FLOAT_EQ(portrait("pz2").left(), 840 + (5160 - 840) / 100.0f);
    EXPECT_FLOAT_EQ(portrait("pz2").top(), 3360 + (2520 - 3360) / 100.0f);
    EXPECT_EQ(game.vyberpostav().glideStep, 102);
    // pz2's pick went on after its glide: its pictures and lock stand.
    EXPECT_EQ(source(pictures().levej[0]), "\\data\\obr\\2pzopost1.old");
    EXPECT_FALSE(portrait("krt").enabled());
}

// The hand-over can fire inside pz2's glide when two picks were counted before it: the
// fight starts with the two counted fighters and the pick does not reload the screen.
TEST_F(SelectionFixture, HandOverDuringPz2sGlideDropsThatPick) {
    startSelection();
    call("zk_Click");
    call("pz_Click");
    advanceToMs(5900);
    click(portrait("pz2"));
    EXPECT_TRUE(game.boj().visible());
    EXPECT_FALSE(game.vyberpostav().loaded());
    EXPECT_EQ(source(pictures().levej[0]), "\\data\\obr\\zkrapost2.old");
    EXPECT_EQ(fight().meno1.caption(), "Zakrel");
    advanceToMs(7000);
    EXPECT_FALSE(game.vyberpostav().loaded());
}

// During the left easy button's glide other events run: a pick then glides to the shifted
// target, and the button's glide stops short.
TEST_F(SelectionFixture, PickDuringTheLeftEasyGlideGoesToTheShiftedTarget) {
    startSelection();
    call("Image2_Click");
    postClick(ui().Image4);
    postClick(portrait("pz2"));
    runtime.dispatchPending();
    EXPECT_EQ(portrait("pz2").left(), 4660);
    EXPECT_EQ(portrait("pz2").top(), 1520);
    EXPECT_FLOAT_EQ(ui().Image4.top(), 5640 + (1520 - 5640) / 100.0f);
    EXPECT_EQ(game.vyberpostav().leftGlideTarget.left, 5160);
    EXPECT_EQ(game.vyberpostav().leftGlideTarget.top, 2520);
    EXPECT_EQ(store().ObtiznostL.caption(), "1");
}

}  // namespace
}  // namespace vorkala::testing
