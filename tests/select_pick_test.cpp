// Picks and previews of the fighters, the pick counter and the hand-over to the fight.
#include <iterator>
#include <map>
#include <optional>
#include <string>

#include "progress/saved_progress.h"
#include "select_fixture.h"
#include "shell/hlaska.h"
#include "shell/module.h"

namespace vorkala::testing {
namespace {

// What each pick loads, written out from the rosters' rules: the pose files are
// "\data\obr\" + prefix + the pose's suffix + ".old", with set 3 adding "3" to the four
// blow suffixes and a row's own replacements; the sprite Top is the one the row's rule gives
// on a fresh fight screen (design 4320).
struct PickCase {
    const char* code;
    bool left;
    const char* name;
    const char* voice;
    const char* prefix;
    bool set3;
    std::map<int, std::string> replaced;
    const char* winFace;
    const char* loseFace;
    const char* background;
    float spriteTop;
};

std::string expectedPoseFile(const PickCase& p, int pose) {
    static const std::map<int, std::string> kSuffixes{
        {0, "post"},  {1, "post1"}, {2, "mrtv"}, {5, "dp"},    {8, "hk"},
        {11, "hp"},   {12, "jau"},  {15, "dk"},  {16, "skok"}, {17, "zpet"},
        {18, "chuz"}, {19, "jau2"}, {20, "win"}};
    const bool blow = pose == 5 || pose == 8 || pose == 11 || pose == 15;
    std::string suffix = kSuffixes.at(pose) + (p.set3 && blow ? "3" : "");
    if (const auto own = p.replaced.find(pose); own != p.replaced.end()) suffix = own->second;
    return "\\data\\obr\\" + std::string(p.prefix) + suffix + ".old";
}

// Faces and backgrounds lie in \data\obr\; backgrounds are spelled as the picks name them
// (some end in a blank).
const std::string kObr = "\\data\\obr\\";
const PickCase kPicks[] = {
    // clang-format off
    // Left roster.
    {"tk", true, "Tobik", "tobik.wav", "tk", true, {}, "tk.old", "tk2.old", "cinskazed.old", 5720},
    {"Gradun", true, "Gradun", "gradun.wav", "Gradun", false, {{18, "krok"}}, "Gradunvyhr.old", "Gradunprohr.old", "arkaden.old ", 3800},
    {"bh", true, "Bohoun", "bh.wav", "bh", true, {}, "bh.old", "bh2.old", "plaz.old ", 3800},
    {"krt", true, "Karatista", "karatista.wav", "krt", false, {}, "krt.old", "krt2.old", "krtpoz.old ", 4000},
    {"pz2", true, "Pazdrak", "pz.wav", "2pzo", true, {{0, "post1"}, {1, "post2"}}, "2pzo.old", "2pzo2.old", "les2.old ", 5070},
    {"zk", true, "Zakrel", "zk.wav", "zkra", true, {{0, "post2"}}, "zk.old", "zk2.old", "telocvik.old", 1920},
    {"fe", true, "Fenelik", "fe.wav", "fe", true, {}, "fe.old", "fe2.old", "zatacka.old", 5320},
    // Left fighters with names of our own: plain set, no Top rule.
    {"Kuvo", true, "Kuvo", "kuvo.wav", "kuvo", false, {}, "kuvo.old", "kuvo2.old", "doupe.old ", 4320},
    {"dulo", true, "Dulo", "dulo.wav", "dulo", false, {}, "dulo.old", "dulo2.old", "most.old", 4320},
    {"pan", true, "Pan", "pan.wav", "pan", false, {}, "pan.old", "pan2.old", "les1.old", 4320},
    {"Durvak", true, "Durvak", "durvak.wav", "durvak", false, {}, "durvak.old", "durvak2.old", "arkaden.old ", 4320},
    {"rak", true, "Rak", "rak.wav", "rak", false, {}, "rak.old", "rak2.old", "plaz.old ", 4320},
    {"xeo", true, "Xeo", "xeo.wav", "xeo", false, {}, "xeo.old", "xeo2.old", "majovka.old", 4320},
    // Right roster.
    {"Zuvka", false, "Zuvka", "zuvka.wav", "zuvka", false, {{18, "krok"}}, "zuvkavyhrksicht.old", "zuvkaprohrksicht.old", "majovka.old", 4000},
    {"brejl", false, "Worm", "worm.wav", "brejl", true, {}, "brejl.old", "brejl2.old", "brejlpozadi.old ", 4320},
    {"rodi", false, "Rodi", "rodi.wav", "rodi", true, {}, "rodi.old", "rodi2.old", "doupe.old ", 3600},
    {"girl", false, "Girl", "girl.wav", "girl", false, {}, "girl.old", "girl2.old", "klec.old ", 4000},
    // oxa's faces are the other way round: the "2" file is its winner's face.
    {"oxa", false, "Oxa", "oxa.wav", "oxa", false, {{1, "post2"}, {2, "out"}, {17, "utek"}}, "oxa2.old", "oxa.old", "les2.old ", 3820},
    {"vst", false, "Vostrik", "vostrik.wav", "vst", true, {}, "vst.old", "vst2.old", "svazarm.old ", 3600},
    {"zetro", false, "Zetro", "zetro.wav", "zetro", false, {{17, "utek"}}, "zetro.old", "zetro2.old", "bejkarna.old", 3600},
    {"pz", false, "Pazdrak", "pz.wav", "pzo", true, {{0, "post2"}}, "pzo.old", "pzo2.old", "les2.old ", 4620},
    {"rn", false, "Runik", "runik.wav", "rn", true, {}, "rn.old", "rn2.old", "most.old", 4320},
    {"tb", false, "Tebor", "tb.wav", "tb", true, {}, "tb.old", "tb2.old", "les1.old", 3500},
    // Right fighters with names of our own: plain set, no Top rule.
    {"gv", false, "Gevor", "gv.wav", "gv", false, {}, "gv.old", "gv2.old", "svazarm.old ", 4320},
    {"lirka", false, "Lirka", "lirka.wav", "lirka", false, {}, "lirka.old", "lirka2.old", "klec.old ", 4320},
    {"Robot", false, "Robot", "robot.wav", "robot", false, {}, "robot.old", "robot2.old", "bejkarna.old", 4320},
    // clang-format on
};

class EveryFighterPick : public SelectionFixture, public ::testing::WithParamInterface<PickCase> {};

TEST_P(EveryFighterPick, LoadsItsFilesNameAndHeightAndGlidesToItsSidesTarget) {
    const PickCase& f = GetParam();
    const bool left = f.left;
    startSelection();
    call(std::string(f.code) + "_Click");

    auto& poses = left ? pictures().levej : pictures().pravej;
    for (int pose : kPoseIndices) EXPECT_EQ(source(poses[pose]), expectedPoseFile(f, pose)) << pose;
    EXPECT_EQ(source(left ? pictures().levejwin : pictures().pravejwin), kObr + f.winFace);
    EXPECT_EQ(source(left ? pictures().levejout : pictures().pravejout), kObr + f.loseFace);
    ASSERT_TRUE(fight().background);
    EXPECT_EQ(fight().background->source(), kObr + f.background);
    EXPECT_EQ((left ? fight().meno1 : fight().meno2).caption(), f.name);
    EXPECT_EQ((left ? game.drzky().ui().lev : game.drzky().ui().prav).caption(), f.name);
    EXPECT_EQ((left ? fight().prvni : fight().druhej).top(), f.spriteTop);
    EXPECT_EQ((left ? fight().Image1 : fight().Image2).top(), f.spriteTop);
    EXPECT_EQ(ui().Label2.caption(), "1");
    EXPECT_EQ(portrait(f.code).left(), left ? 5160 : 6000);
    EXPECT_EQ(portrait(f.code).top(), 2520);

    const std::string channel = left ? "vyberpostav.levej" : "vyberpostav.pravej";
    EXPECT_EQ(commandsTo(channel), (std::vector<std::string>{"Open", "play"}));
    EXPECT_EQ((left ? ui().levej : ui().pravej).fileName(),
              programFile(runtime, std::string("\\data\\zvuk\\") + f.voice));
}

INSTANTIATE_TEST_SUITE_P(Roster, EveryFighterPick, ::testing::ValuesIn(kPicks),
                         [](const auto& info) { return std::string(info.param.code); });

TEST(EveryFighterPickTable, CoversTheWholeRoster) { EXPECT_EQ(std::size(kPicks), roster().size()); }

// The computer's tick is written only when the other side's turbo flag reads exactly 1:
// both ticks stand at a value no pick writes before the pick, so a tick left alone and a
// tick written show apart.
constexpr int kUntouched = 4321;

struct TickCase {
    const char* code;
    const char* turbol;
    const char* turbop;
    int leftComputer;   // boj.Timer1's interval after the pick
    int rightComputer;  // boj.Timer5's interval
};

class TurboTick : public SelectionFixture, public ::testing::WithParamInterface<TickCase> {};

TEST_P(TurboTick, IsWrittenOnlyWhenTheFlagReadsExactlyOne) {
    const TickCase& t = GetParam();
    startSelection();
    store().Turbol.setCaption(t.turbol);
    store().Turbop.setCaption(t.turbop);
    fight().Timer1.setInterval(kUntouched);
    fight().Timer5.setInterval(kUntouched);
    call(std::string(t.code) + "_Click");
    EXPECT_EQ(fight().Timer1.interval(), t.leftComputer);
    EXPECT_EQ(fight().Timer5.interval(), t.rightComputer);
}

constexpr int U = kUntouched;
INSTANTIATE_TEST_SUITE_P(
    Picks, TurboTick,
    ::testing::Values(
        // Left picks test the right human's flag (Turbop) and set the left computer's tick.
        TickCase{"krt", "0", "1", 600, U}, TickCase{"krt", "0", "0", U, U},
        TickCase{"krt", "0", "2", U, U}, TickCase{"krt", "1", "0", U, U},
        TickCase{"tk", "0", "1", 1, U}, TickCase{"pz2", "0", "1", 1000, U},
        TickCase{"zk", "0", "1", 50, U}, TickCase{"dulo", "0", "1", 300, U},
        // Kuvo's pick has no tick of its own.
        TickCase{"Kuvo", "0", "1", U, U},
        // Right picks test the left human's flag (Turbol) and set the right computer's tick.
        TickCase{"tb", "1", "0", U, 1000}, TickCase{"tb", "0", "1", U, U},
        TickCase{"Zuvka", "1", "0", U, 10}, TickCase{"rodi", "1", "0", U, 1},
        TickCase{"gv", "1", "0", U, 600}, TickCase{"Robot", "1", "0", U, 1},
        TickCase{"Robot", "0", "0", U, U}, TickCase{"lirka", "1", "0", U, 100},
        TickCase{"lirka", "0", "1", U, U},
        // oxa also gives the left computer 10 when the right human is on the ladder.
        TickCase{"oxa", "0", "1", 10, U}, TickCase{"oxa", "1", "0", U, 400},
        TickCase{"oxa", "1", "1", 10, 400}, TickCase{"oxa", "0", "0", U, U}));

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
