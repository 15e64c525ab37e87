// The selection screen's load, its computer toggles, difficulty, turbo, info and link
// buttons, and its timers.
#include "select_fixture.h"
#include "shell/hlaska.h"
#include "shell/module.h"

namespace vorkala::testing {
namespace {

using C = VyberpostavControls;
using S = PocitadloControls;
using B = BojControls;

// ---- load routine

struct LoadCase {
    const char* name;
    const char *zivotyl, *zivotyp, *turbol, *turbop;
    // After the load.
    const char *energiel, *silauderup, *energiep, *silauderul, *turbolAfter, *turbopAfter;
    const char* leftLives;
    bool leftLivesShown;
    const char* rightLives;
    bool rightLivesShown;
    bool leftCoversHidden, rightCoversHidden;
};

class SelectionLoad : public SelectionFixture, public ::testing::WithParamInterface<LoadCase> {
  protected:
    // The store as a run leaves it, with values that the load either keeps or resets.
    void prepareStore(const LoadCase& t) {
        auto& s = store();
        for (vk::Control* counter :
             {&s.LehkaL, &s.LehkaP, &s.StredniL, &s.StredniP, &s.TezkaL, &s.TezkaP})
            counter->setCaption("0");
        s.energiel.setCaption("70");
        s.silauderup.setCaption("5");
        s.energiep.setCaption("80");
        s.silauderul.setCaption("7");
        s.Zivotyl.setCaption(t.zivotyl);
        s.Zivotyp.setCaption(t.zivotyp);
        s.Turbol.setCaption(t.turbol);
        s.Turbop.setCaption(t.turbop);
    }
};

TEST_P(SelectionLoad, SetsEnergiesLivesAndCoversForTheTurboSituation) {
    const LoadCase& t = GetParam();
    prepareStore(t);
    loadSelection();
    EXPECT_EQ(store().energiel.caption(), t.energiel);
    EXPECT_EQ(store().silauderup.caption(), t.silauderup);
    EXPECT_EQ(store().energiep.caption(), t.energiep);
    EXPECT_EQ(store().silauderul.caption(), t.silauderul);
    EXPECT_EQ(store().Turbol.caption(), t.turbolAfter);
    EXPECT_EQ(store().Turbop.caption(), t.turbopAfter);
    EXPECT_EQ(source(ui().Picture1), t.leftLives);
    EXPECT_EQ(ui().Picture1.visible(), t.leftLivesShown);
    EXPECT_EQ(source(ui().Picture2), t.rightLives);
    EXPECT_EQ(ui().Picture2.visible(), t.rightLivesShown);
    for (int i = 1; i <= 11; ++i) {
        EXPECT_EQ(ui().levejotaznik1[i].visible(), !t.leftCoversHidden) << i;
        EXPECT_EQ(ui().pravejotaznik1[i].visible(), !t.rightCoversHidden) << i;
    }
    EXPECT_TRUE(ui().levejotaznik1[0].visible());
    EXPECT_TRUE(ui().pravejotaznik1[0].visible());
    EXPECT_EQ(game.vyberpostav().soundFlag, 1);
    EXPECT_EQ(ui().Label2.caption(), "0");
}

constexpr const char* kOne = "\\data\\obr\\1.old";
constexpr const char* kTwo = "\\data\\obr\\2.old";
constexpr const char* kThree = "\\data\\obr\\3.old";
constexpr const char* kStruck = "\\data\\obr\\mrtev.old";

INSTANTIATE_TEST_SUITE_P(
    Turbo, SelectionLoad,
    ::testing::Values(LoadCase{"NoTurboHuman", "4", "4", "0", "0", "50", "2", "50", "2", "0", "0",
                               kOne, false, kOne, false, false, false},
                      LoadCase{"LeftHumanOnTheLadder", "2", "4", "1", "0", "70", "5", "50", "2",
                               "1", "0", kTwo, true, kOne, false, false, true},
                      LoadCase{"RightHumanOnTheLadder", "4", "3", "0", "1", "50", "2", "80", "7",
                               "0", "1", kOne, false, kThree, true, true, false},
                      LoadCase{"LeftHumanWithoutLives", "0", "4", "1", "0", "50", "2", "50", "2",
                               "0", "0", kStruck, false, kOne, false, false, false},
                      // The left ladder is laid out once before the lives are looked at.
                      LoadCase{"RightHumanWithoutLives", "4", "0", "0", "1", "50", "2", "50", "2",
                               "0", "0", kOne, false, kStruck, false, true, false}),
    [](const auto& info) { return std::string(info.param.name); });

struct NameEntryCase {
    const char *bodyL, *bodyP;
    bool starts;
};

class NameEntry : public SelectionFixture, public ::testing::WithParamInterface<NameEntryCase> {};

TEST_P(NameEntry, StartsAboveFourPoints) {
    store().bodyL.setCaption(GetParam().bodyL);
    store().bodyP.setCaption(GetParam().bodyP);
    loadSelection();
    const bool starts = GetParam().starts;
    EXPECT_EQ(ui().Text1.text(), starts ? "write your name here!" : "your code?");
    EXPECT_EQ(ui().Timer3.interval(), starts ? 0 : 1000);
    EXPECT_EQ(ui().Timer6.enabled(), starts);
    EXPECT_EQ(ui().Timer6.interval(), starts ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(Points, NameEntry,
                         ::testing::Values(NameEntryCase{"4", "0", false},
                                           NameEntryCase{"5", "0", true},
                                           NameEntryCase{"0", "5", true},
                                           NameEntryCase{"9", "6", true},
                                           NameEntryCase{"0", "4", false}));

TEST_F(SelectionFixture, LoadOpensItsChannelsAndStartsTheMenuMusic) {
    startSelection();
    EXPECT_EQ(commandsTo("vyberpostav.MMControl2"), (std::vector<std::string>{"Open", "Play"}));
    EXPECT_EQ(ui().MMControl6.fileName(), programFile(runtime, "\\data\\zvuk\\vyber.wav"));
    EXPECT_EQ(ui().levej.deviceType(), "WaveAudio");
    EXPECT_EQ(ui().video.deviceType(), "AVIVideo");
    EXPECT_FALSE(portrait("tk").visible());
    EXPECT_FALSE(portrait("rodi").visible());
    EXPECT_EQ(portrait("Kuvo").left(), 840);
    EXPECT_EQ(portrait("Kuvo").top(), 840);
    // Each cover lies on its fighter's place.
    EXPECT_EQ(ui().levejotaznik1[8].left(), 840);
    EXPECT_EQ(ui().pravejotaznik1[11].left(), 10200);
    EXPECT_EQ(ui().pravejotaznik1[11].top(), 840);
}

// ---- computer toggles

struct ToggleCase {
    const char* routine;
    std::array<vk::Control S::*, 3> counters;
    std::array<const char*, 3> counts;
    std::array<vk::Control C::*, 3> buttons;
    std::array<bool, 3> shown;
    vk::Control C::*otherLives;
    vk::Control C::*otherToggle;
    vk::Control S::*pointsFlag;
};

class ComputerToggles : public SelectionFixture,
                        public ::testing::WithParamInterface<ToggleCase> {};

TEST_P(ComputerToggles, OfferTheDifficultiesBelowTheirMaxima) {
    const ToggleCase& t = GetParam();
    startSelection();
    for (int i = 0; i < 3; ++i) (store().*t.counters[i]).setCaption(t.counts[i]);
    call(t.routine);
    for (int i = 0; i < 3; ++i) EXPECT_EQ((ui().*t.buttons[i]).visible(), t.shown[i]) << i;
    EXPECT_TRUE((ui().*t.otherLives).visible());
    EXPECT_FALSE((ui().*t.otherToggle).visible());
    EXPECT_EQ((store().*t.pointsFlag).caption(), "1");
    // A second click switches it off again; the points flag stays.
    call(t.routine);
    for (auto button : t.buttons) EXPECT_FALSE((ui().*button).visible());
    EXPECT_FALSE((ui().*t.otherLives).visible());
    EXPECT_TRUE((ui().*t.otherToggle).visible());
    EXPECT_EQ((store().*t.pointsFlag).caption(), "1");
    EXPECT_EQ(commandsTo("vyberpostav.MMControl1"),
              (std::vector<std::string>{"Open", "close", "Open", "play", "close", "Open", "play"}));
}

constexpr std::array<vk::Control S::*, 3> kLeftCounters{&S::LehkaL, &S::StredniL, &S::TezkaL};
constexpr std::array<vk::Control S::*, 3> kRightCounters{&S::LehkaP, &S::StredniP, &S::TezkaP};
constexpr std::array<vk::Control C::*, 3> kLeftButtons{&C::Image4, &C::Image5, &C::Image6};
constexpr std::array<vk::Control C::*, 3> kRightButtons{&C::Image7, &C::Image8, &C::Image9};

// clang-format off
INSTANTIATE_TEST_SUITE_P(Counters, ComputerToggles, ::testing::Values(
    ToggleCase{.routine = "Image2_Click", .counters = kLeftCounters, .counts = {"3", "2", "6"}, .buttons = kLeftButtons, .shown = {false, true, false}, .otherLives = &C::Picture2, .otherToggle = &C::Image3, .pointsFlag = &S::HSP},
    ToggleCase{.routine = "Image2_Click", .counters = kLeftCounters, .counts = {"0", "3", "5"}, .buttons = kLeftButtons, .shown = {true, false, true}, .otherLives = &C::Picture2, .otherToggle = &C::Image3, .pointsFlag = &S::HSP},
    ToggleCase{.routine = "Image3_Click", .counters = kRightCounters, .counts = {"0", "0", "5"}, .buttons = kRightButtons, .shown = {true, true, false}, .otherLives = &C::Picture1, .otherToggle = &C::Image2, .pointsFlag = &S::HSL},
    ToggleCase{.routine = "Image3_Click", .counters = kRightCounters, .counts = {"3", "2", "6"}, .buttons = kRightButtons, .shown = {false, true, true}, .otherLives = &C::Picture1, .otherToggle = &C::Image2, .pointsFlag = &S::HSL}));
// clang-format on

// ---- difficulty buttons

struct DifficultyCase {
    const char* routine;
    vk::Control C::*button;
    std::array<vk::Control C::*, 3> hidden;
    vk::Control S::*energy;
    const char* energyValue;
    vk::Control B::*fightEnergy;
    const char* fightEnergyValue;
    vk::Timer B::*computer;
    int period, delay;
    vk::Control S::*difficulty;
    const char* difficultyValue;
    float left, top;  // where the button settles
};

class DifficultyButtons : public SelectionFixture,
                          public ::testing::WithParamInterface<DifficultyCase> {};

// After the side's strong fighter is picked (100 in the fight's energy): only the easy
// buttons leave the fight's energy as the pick set it.
TEST_P(DifficultyButtons, WriteEnergyTimersAndDifficultyAndSettleAboveTheTarget) {
    const DifficultyCase& t = GetParam();
    startSelection();
    call(t.energy == &S::energiel ? "tk_Click" : "rodi_Click");
    call(t.routine);
    for (auto hidden : t.hidden) EXPECT_FALSE((ui().*hidden).visible());
    EXPECT_EQ((store().*t.energy).caption(), t.energyValue);
    EXPECT_EQ((fight().*t.fightEnergy).caption(), t.fightEnergyValue);
    EXPECT_EQ((fight().*t.computer).interval(), t.period);
    EXPECT_EQ(fight().Timer6.interval(), t.delay);
    EXPECT_EQ((store().*t.difficulty).caption(), t.difficultyValue);
    EXPECT_FALSE((ui().*t.button).enabled());
    EXPECT_EQ((ui().*t.button).left(), t.left);
    EXPECT_EQ((ui().*t.button).top(), t.top);
    EXPECT_EQ(game.vyberpostav().leftGlideTarget.left, 5160);
    EXPECT_EQ(game.vyberpostav().rightGlideTarget.top, 2520);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Buttons, DifficultyButtons, ::testing::Values(
    DifficultyCase{.routine = "Image4_Click", .button = &C::Image4, .hidden = {&C::Image2, &C::Image5, &C::Image6}, .energy = &S::energiel, .energyValue = "50", .fightEnergy = &B::ziv1, .fightEnergyValue = "100", .computer = &B::Timer1, .period = 500, .delay = 2500, .difficulty = &S::ObtiznostL, .difficultyValue = "1", .left = 4660, .top = 1520},
    DifficultyCase{.routine = "Image5_Click", .button = &C::Image5, .hidden = {&C::Image2, &C::Image4, &C::Image6}, .energy = &S::energiel, .energyValue = "50", .fightEnergy = &B::ziv1, .fightEnergyValue = "50", .computer = &B::Timer1, .period = 50, .delay = 4500, .difficulty = &S::ObtiznostL, .difficultyValue = "2", .left = 4660, .top = 1520},
    DifficultyCase{.routine = "Image6_Click", .button = &C::Image6, .hidden = {&C::Image2, &C::Image5, &C::Image4}, .energy = &S::energiel, .energyValue = "100", .fightEnergy = &B::ziv1, .fightEnergyValue = "100", .computer = &B::Timer1, .period = 25, .delay = 6500, .difficulty = &S::ObtiznostL, .difficultyValue = "3", .left = 4660, .top = 1520},
    DifficultyCase{.routine = "Image7_Click", .button = &C::Image7, .hidden = {&C::Image3, &C::Image8, &C::Image9}, .energy = &S::energiep, .energyValue = "50", .fightEnergy = &B::ziv2, .fightEnergyValue = "100", .computer = &B::Timer5, .period = 500, .delay = 2500, .difficulty = &S::ObtiznostP, .difficultyValue = "1", .left = 6000, .top = 1520},
    DifficultyCase{.routine = "Image8_Click", .button = &C::Image8, .hidden = {&C::Image3, &C::Image7, &C::Image9}, .energy = &S::energiep, .energyValue = "50", .fightEnergy = &B::ziv2, .fightEnergyValue = "50", .computer = &B::Timer5, .period = 50, .delay = 4500, .difficulty = &S::ObtiznostP, .difficultyValue = "2", .left = 6000, .top = 1520},
    DifficultyCase{.routine = "Image9_Click", .button = &C::Image9, .hidden = {&C::Image3, &C::Image8, &C::Image7}, .energy = &S::energiep, .energyValue = "100", .fightEnergy = &B::ziv2, .fightEnergyValue = "100", .computer = &B::Timer5, .period = 25, .delay = 6500, .difficulty = &S::ObtiznostP, .difficultyValue = "3", .left = 6000, .top = 1520},
    // easyl and midlel do what the left easy and medium buttons do.
    DifficultyCase{.routine = "easyl", .button = &C::Image4, .hidden = {&C::Image2, &C::Image5, &C::Image6}, .energy = &S::energiel, .energyValue = "50", .fightEnergy = &B::ziv1, .fightEnergyValue = "100", .computer = &B::Timer1, .period = 500, .delay = 2500, .difficulty = &S::ObtiznostL, .difficultyValue = "1", .left = 4660, .top = 1520},
    DifficultyCase{.routine = "midlel", .button = &C::Image5, .hidden = {&C::Image2, &C::Image4, &C::Image6}, .energy = &S::energiel, .energyValue = "50", .fightEnergy = &B::ziv1, .fightEnergyValue = "50", .computer = &B::Timer1, .period = 50, .delay = 4500, .difficulty = &S::ObtiznostL, .difficultyValue = "2", .left = 4660, .top = 1520}));
// clang-format on

TEST_F(SelectionFixture, FirstDifficultyClickLoadsTheFightAndTheLastDelayWins) {
    startSelection();
    EXPECT_FALSE(game.boj().loaded());
    call("Image9_Click");
    EXPECT_TRUE(game.boj().loaded());
    EXPECT_FALSE(game.boj().visible());
    EXPECT_EQ(fight().ziv2.caption(), "100");
    call("Image4_Click");
    EXPECT_EQ(fight().Timer6.interval(), 2500);
    EXPECT_EQ(fight().Timer5.interval(), 25);
}

struct ObtiznostCase {
    const char* state;
    const char* lehkaP;
    const char* difficulty;  // ObtiznostL afterwards
};

class NeverCalledChooser : public SelectionFixture,
                           public ::testing::WithParamInterface<ObtiznostCase> {};

TEST_P(NeverCalledChooser, PicksEasyOrMediumByTheRightEasyCounter) {
    startSelection();
    store().ObtiznostL.setCaption("0");
    ui().Text3.setText(GetParam().state);
    store().LehkaP.setCaption(GetParam().lehkaP);
    call("ObtiznostL");
    EXPECT_EQ(store().ObtiznostL.caption(), GetParam().difficulty);
}

INSTANTIATE_TEST_SUITE_P(Counters, NeverCalledChooser,
                         ::testing::Values(ObtiznostCase{"ON", "5", "2"},
                                           ObtiznostCase{"ON", "3", "1"},
                                           ObtiznostCase{"ON", "4", "0"},
                                           ObtiznostCase{"OFF", "3", "0"}));

// ---- turbo start buttons

struct TurboCase {
    const char* routine;
    vk::Control C::*ownLives;
    vk::Control C::*otherLives;
    vk::Control S::*lives;
    vk::Control S::*turbo;
    vk::Control S::*ladderStep;
    vk::Control S::*speed;
    bool rightCover11Hidden;
    const char* firstOpponent;
    Side ladderSide;
};

class TurboButtons : public SelectionFixture, public ::testing::WithParamInterface<TurboCase> {};

TEST_P(TurboButtons, PutTheHumanOnTheLadderAgainstTheOtherRoster) {
    const TurboCase& t = GetParam();
    startSelection();
    (ui().*t.otherLives).setVisible(true);
    call(t.routine);
    EXPECT_EQ(ui().Text1.text(), "  T U R B O   M O D");
    EXPECT_EQ(ui().Text1.backColor(), 0xC000u);
    EXPECT_EQ(ui().Text1.foreColor(), 0xFFFFu);
    EXPECT_TRUE(ui().Tvujkod.visible());
    EXPECT_EQ(source(ui().*t.ownLives), "\\data\\obr\\3.old");
    EXPECT_EQ((store().*t.lives).caption(), "3");
    EXPECT_EQ((store().*t.turbo).caption(), "1");
    EXPECT_EQ((store().*t.ladderStep).caption(), "1");
    EXPECT_EQ((store().*t.speed).caption(), "1000");
    for (vk::Control* c : {&ui().Image2, &ui().Image3, &ui().Image4, &ui().Image5, &ui().Image6,
                           &ui().Image7, &ui().Image8, &ui().Image9, &ui().Image10, &ui().Image11,
                           &ui().Text2, &ui().Text3, &(ui().*t.otherLives)})
        EXPECT_FALSE(c->visible()) << c->name();
    EXPECT_EQ(ui().pravejotaznik1[11].visible(), !t.rightCover11Hidden);
    for (const Fighter& f : roster())
        EXPECT_EQ(portrait(f.code).enabled(),
                  f.side != t.ladderSide || f.code == std::string(t.firstOpponent))
            << f.code;
    EXPECT_EQ(commandsTo("vyberpostav.MMControl1"),
              (std::vector<std::string>{"Open", "close", "Open", "play"}));
}

INSTANTIATE_TEST_SUITE_P(
    Buttons, TurboButtons,
    ::testing::Values(TurboCase{"Image10_Click", &C::Picture1, &C::Picture2, &S::Zivotyl,
                                &S::Turbol, &S::PCp, &S::Rychlostp, true, "tb", Side::Right},
                      TurboCase{"Image11_Click", &C::Picture2, &C::Picture1, &S::Zivotyp,
                                &S::Turbop, &S::PCl, &S::Rychlostl, false, "pz2", Side::Left}));

// ---- info

TEST_F(SelectionFixture, InfoButtonOpensTheHelpOverTheScreen) {
    startSelection();
    call("Image12_Click");
    EXPECT_TRUE(game.hlaska().visible());
    EXPECT_TRUE(game.vyberpostav().visible());
    EXPECT_EQ(commandsTo("vyberpostav.MMControl1"),
              (std::vector<std::string>{"Open", "Close", "Open", "Play"}));
}

// ---- timers

TEST_F(SelectionFixture, ButtonsPulseShownOrNot) {
    startSelection();
    advanceToMs(500);
    for (vk::Control* b : {&ui().Image4, &ui().Image8, &ui().Image11}) {
        EXPECT_EQ(b->width(), 900);
        EXPECT_EQ(b->height(), 350);
    }
    advanceToMs(1000);
    EXPECT_EQ(ui().Image4.width(), 990);
    EXPECT_EQ(ui().Image8.height(), 435);
    EXPECT_EQ(ui().Image11.width(), 1755);
    advanceToMs(1500);
    EXPECT_EQ(ui().Image6.width(), 900);
}

TEST_F(SelectionFixture, SelectionSoundPlaysFromTheFirstLoadsTimerOn) {
    startSelection();
    advanceToMs(50);
    const auto commands = commandsTo("vyberpostav.MMControl6");
    ASSERT_GE(commands.size(), 2u);
    EXPECT_EQ(commands[0], "Open");
    EXPECT_EQ(commands[1], "Play");
    EXPECT_TRUE(headless.audio.isPlaying("vyberpostav.MMControl6"));
}

}  // namespace
}  // namespace vorkala::testing
