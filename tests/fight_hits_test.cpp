// Hit reactions: the guard of a decided fight, the warning sounds, the floor zones, the
// throw and the blood drops, and the knock-out, which always ends the fight with one
// finishing sequence and the after-fight screen, however strong or nested the blow.
#include <algorithm>
#include <string>
#include <vector>

#include "fight_fixture.h"

namespace vorkala::testing {
namespace {

constexpr long kSequenceMs = 5000;
constexpr long kAfterFightMs = 4000;

std::vector<std::string> owners(const std::vector<vk::ChannelCommand>& commands) {
    std::vector<std::string> result;
    for (const auto& command : commands) result.push_back(command.owner);
    return result;
}

long sequencesRun(const vk::RecordingAudio& audio) {
    // The finishing sequence plays the start sound once, when its frames are over.
    return std::count(audio.started().begin(), audio.started().end(), "boj.MMControl1");
}

// ---- warning sounds

struct WarningCase {
    bool leftVictim;
    const char* energy;
    std::vector<std::string> channels;  // the "play" commands after the hit sound, in order
};

class WarningSounds : public FightFixture, public ::testing::WithParamInterface<WarningCase> {};

TEST_P(WarningSounds, FollowTheVictimsEnergyInTheirOrder) {
    const WarningCase& t = GetParam();
    startFight();
    place(3000, 5000);
    setEnergies(t.leftVictim ? t.energy : "50", t.leftVictim ? "50" : t.energy);
    headless.audio.takeCommands();
    call(t.leftVictim ? "krevprvni" : "krevdruhy");
    auto commands = headless.audio.takeCommands();
    ASSERT_GE(commands.size(), 3u);
    const std::string hitSound = t.leftVictim ? "boj.MMControl3" : "boj.MMControl5";
    EXPECT_EQ(owners({commands.begin(), commands.begin() + 3}),
              std::vector<std::string>(3, hitSound));
    commands.erase(commands.begin(), commands.begin() + 3);
    EXPECT_EQ(owners(commands), t.channels);
    for (const auto& command : commands) EXPECT_EQ(command.command, "play");
}

INSTANTIATE_TEST_SUITE_P(
    Energies, WarningSounds,
    ::testing::Values(
        // A warning sounds below its threshold (7, 41, 25, 31 in that order), not at it.
        WarningCase{true, "41", {}}, WarningCase{true, "40", {"boj.MMControl7"}},
        WarningCase{true, "31", {"boj.MMControl7"}},
        WarningCase{true, "30", {"boj.MMControl7", "boj.MMControl2"}},
        WarningCase{true, "25", {"boj.MMControl7", "boj.MMControl2"}},
        WarningCase{true, "24", {"boj.MMControl7", "boj.MMControl8", "boj.MMControl2"}},
        WarningCase{true, "7", {"boj.MMControl7", "boj.MMControl8", "boj.MMControl2"}},
        WarningCase{
            true, "6.5", {"boj.MMControl6", "boj.MMControl7", "boj.MMControl8", "boj.MMControl2"}},
        WarningCase{
            true, "0", {"boj.MMControl6", "boj.MMControl7", "boj.MMControl8", "boj.MMControl2"}},
        // The right victim: 7, 41, 25, and no fourth.
        WarningCase{false, "41", {}}, WarningCase{false, "40", {"boj.MMControl4"}},
        WarningCase{false, "25", {"boj.MMControl4"}},
        WarningCase{false, "24", {"boj.MMControl4", "boj.MMControl5"}},
        WarningCase{false, "7", {"boj.MMControl4", "boj.MMControl5"}},
        WarningCase{false, "6.5", {"boj.MMControl3", "boj.MMControl4", "boj.MMControl5"}},
        WarningCase{false, "0", {"boj.MMControl3", "boj.MMControl4", "boj.MMControl5"}}));

// ---- the guard

struct GuardCase {
    const char* left;
    const char* right;
    const char* reaction;
};

class DecidedFightGuard : public FightFixture, public ::testing::WithParamInterface<GuardCase> {};

TEST_P(DecidedFightGuard, AHitChangesNothingAtAll) {
    const GuardCase& t = GetParam();
    startFight();
    place(3000, 4000);
    setEnergies(t.left, t.right);
    const vk::PictureRef leftPose = fight().prvni.picture(), rightPose = fight().druhej.picture();
    boj().cekal = 1;
    headless.audio.takeCommands();
    call(t.reaction);
    EXPECT_TRUE(headless.audio.commands().empty());
    EXPECT_EQ(fight().prvni.picture(), leftPose);
    EXPECT_EQ(fight().druhej.picture(), rightPose);
    EXPECT_EQ(fight().prvni.left(), 3000);
    EXPECT_EQ(fight().druhej.left(), 4000);
    EXPECT_EQ(pictures().Label2.caption(), "0");
    EXPECT_EQ(boj().cekal, 1);
    EXPECT_EQ(boj().kickCounter + boj().punchCounter, 0);
    EXPECT_EQ(fight().ziv1.caption(), t.left);
    EXPECT_EQ(fight().ziv2.caption(), t.right);
}

TEST_P(DecidedFightGuard, ABlowTakesNoEnergyEither) {
    const GuardCase& t = GetParam();
    startFight();
    place(3000, 4000);
    setEnergies(t.left, t.right);
    for (const char* blow : {"pest", "HP", "kop", "HK"}) call(blow);
    EXPECT_EQ(fight().ziv1.caption(), t.left);
    EXPECT_EQ(fight().ziv2.caption(), t.right);
    EXPECT_TRUE(fight().Line1.visible() && fight().Line2.visible());
}

INSTANTIATE_TEST_SUITE_P(Energies, DecidedFightGuard,
                         ::testing::Values(GuardCase{"-21", "30", "krevprvnikop"},
                                           GuardCase{"30", "-21", "krevprvni"},
                                           GuardCase{"-25", "30", "krevdruhykop"},
                                           GuardCase{"30", "-25", "krevdruhy"},
                                           GuardCase{"-25", "-25", "krevprvni"}));

// ---- zones

struct ZoneCase {
    float rightFighter;
    int zone;  // 1 to 4, 0 for none
};

class ZoneCount : public FightFixture, public ::testing::WithParamInterface<ZoneCase> {};

TEST_P(ZoneCount, CountsWhereTheRightFighterStandsBordersInNoZone) {
    startFight();
    place(6000, GetParam().rightFighter);  // the left fighter, who is hit, stands in zone 3
    call("krevprvni");
    const vk::Control* counters[] = {&pictures().Label1, &pictures().Label2, &pictures().Label3,
                                     &pictures().Label4};
    for (int zone = 1; zone <= 4; ++zone)
        EXPECT_EQ(counters[zone - 1]->caption(), zone == GetParam().zone ? "1" : "0") << zone;
}

INSTANTIATE_TEST_SUITE_P(Places, ZoneCount,
                         ::testing::Values(ZoneCase{-100, 0}, ZoneCase{0, 0}, ZoneCase{1, 1},
                                           ZoneCase{2879, 1}, ZoneCase{2880, 0}, ZoneCase{2881, 2},
                                           ZoneCase{5880, 0}, ZoneCase{5881, 3}, ZoneCase{8880, 0},
                                           ZoneCase{9000, 4}, ZoneCase{10000, 4}));

// ---- the throw

struct ThrowCase {
    bool leftVictim;
    float aboveGround;
    bool thrown;
};

class KickFromTheAir : public FightFixture, public ::testing::WithParamInterface<ThrowCase> {};

TEST_P(KickFromTheAir, ThrowsTheVictimToItsEdgeAndOntoItsGround) {
    const ThrowCase& t = GetParam();
    startFight();
    auto& c = fight();
    vk::Control& victim = t.leftVictim ? c.prvni : c.druhej;
    vk::Control& attacker = t.leftVictim ? c.druhej : c.prvni;
    place(4000, 6000);
    holdInTheAir();
    victim.setTop(4200);
    attacker.setTop(4320 - t.aboveGround);
    c.Timer7.setEnabled(false);
    std::vector<std::pair<float, float>> path;
    pacer.probe = [&] { path.emplace_back(victim.left(), victim.top()); };
    call(t.leftVictim ? "kop" : "HK");

    const auto& poses = t.leftVictim ? pictures().levej : pictures().pravej;
    if (!t.thrown) {
        EXPECT_EQ(victim.picture(), poses[19].picture());
        EXPECT_EQ(victim.left(), t.leftVictim ? 4000 - 1200 : 6000 + 1200);
        EXPECT_EQ(victim.top(), 4200);
        return;
    }
    ASSERT_GE(path.size(), 50u);
    const float endLeft = t.leftVictim ? 0 : 10000;
    const float startLeft = t.leftVictim ? 4000 : 6000;
    EXPECT_FLOAT_EQ(path[0].first, startLeft + (endLeft - startLeft) / 50);
    EXPECT_FLOAT_EQ(path[0].second, 4200 + 300.f / 50);
    EXPECT_EQ(path[49], std::make_pair(endLeft, 4500.f)) << "the last step lands on the target";
    EXPECT_EQ(victim.picture(), poses[2].picture());
    EXPECT_EQ(victim.top(), 4320) << "back on its ground line";
    EXPECT_EQ(victim.left(), t.leftVictim ? 200 : 10000) << "pushed beyond the edge, kept on it";
    EXPECT_TRUE(c.Timer7.enabled() && c.Timer8.enabled());
}

INSTANTIATE_TEST_SUITE_P(Heights, KickFromTheAir,
                         ::testing::Values(ThrowCase{true, 600, false}, ThrowCase{true, 601, true},
                                           ThrowCase{false, 600, false},
                                           ThrowCase{false, 601, true}));

TEST_F(FightFixture, KickedLeftFighterBleedsSevenDropsUpAndAway) {
    startFight();
    place(4000, 5500);
    std::vector<std::vector<std::pair<float, float>>> frames;
    pacer.probe = [&] {
        std::vector<std::pair<float, float>> drops;
        for (int k = 0; k < 7; ++k) {
            EXPECT_TRUE(fight().Shape1[k].visible());
            drops.emplace_back(fight().Shape1[k].left(), fight().Shape1[k].top());
        }
        frames.push_back(drops);
    };
    call("dkop");
    ASSERT_EQ(frames.size(), 50u);
    // The drops start from the victim standing on its ground at 4420.
    const std::pair<float, float> after50[] = {{3000, 3920}, {2500, 4420}, {2000, 4420},
                                               {1500, 3920}, {3500, 2420}, {1000, 1920},
                                               {0, 1420}};
    for (int k = 0; k < 7; ++k) EXPECT_EQ(frames[49][k], after50[k]) << k;
    for (int k = 0; k < 7; ++k) EXPECT_FALSE(fight().Shape1[k].visible());
    EXPECT_EQ(fight().prvni.left(), 2800) << "pushed back after the drops";
}

TEST_F(FightFixture, OnlyAKickedLeftFighterBleeds) {
    startFight();
    place(4000, 5500);
    int paces = 0;
    pacer.probe = [&] { ++paces; };
    for (const char* blow : {"pest", "dpest", "HK", "SPODK", "HP", "SPEST"}) call(blow);
    EXPECT_EQ(paces, 0);
}

// ---- knock-out

struct KnockOutCase {
    const char* name;
    bool leftVictim;
    const char* strength;
    const char* energy;
    bool fromTheAir;
};

class KnockOut : public FightFixture, public ::testing::WithParamInterface<KnockOutCase> {};

TEST_P(KnockOut, EndsTheFightThroughOneFinishingSequenceAndTheAfterFightScreen) {
    const KnockOutCase& t = GetParam();
    startFight();
    advanceMs(5000);
    auto& c = fight();
    (t.leftVictim ? store().silauderul : store().silauderup).setCaption(t.strength);
    setEnergies(t.leftVictim ? t.energy : "30", t.leftVictim ? "30" : t.energy);
    place(3000, 5000);
    if (t.fromTheAir) (t.leftVictim ? c.druhej : c.prvni).setTop(3000);
    call(t.leftVictim ? "pest" : "HP");

    EXPECT_TRUE(c.hlaska.visible());
    EXPECT_EQ(sequencesRun(headless.audio), 1);
    EXPECT_EQ((t.leftVictim ? c.ziv1 : c.ziv2).caption(), "-25");
    EXPECT_EQ((t.leftVictim ? c.ziv2 : c.ziv1).caption(), "30");
    EXPECT_EQ(c.prvni.left(), 200);
    EXPECT_EQ(c.druhej.left(), 10000);
    for (const vk::Control* disabled :
         {&c.prvni, &c.druhej, &c.Image1, &c.Image2, &c.ziv1, &c.ziv2, &c.Label3, &c.Label4})
        EXPECT_FALSE(disabled->enabled()) << disabled->name();
    const auto& faces = game.drzky().ui();
    EXPECT_EQ(faces.levej.picture(),
              (t.leftVictim ? pictures().levejout : pictures().levejwin).picture());
    advanceMs(kAfterFightMs);
    EXPECT_TRUE(game.drzky().visible());

    // Later blows of either fighter change nothing.
    headless.audio.takeCommands();
    place(3000, 5000);
    for (const char* blow : {"pest", "HP", "kop", "HK"}) call(blow);
    EXPECT_EQ((t.leftVictim ? c.ziv1 : c.ziv2).caption(), "-25");
    EXPECT_EQ((t.leftVictim ? c.ziv2 : c.ziv1).caption(), "30");
    EXPECT_EQ(sequencesRun(headless.audio), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Blows, KnockOut,
    ::testing::Values(KnockOutCase{"OrdinaryLeft", true, "2", "1", false},
                      KnockOutCase{"OrdinaryRight", false, "2", "1", false},
                      KnockOutCase{"ExactlyMinus20", true, "21", "1", false},
                      KnockOutCase{"StrongLeft", true, "40", "10", false},
                      KnockOutCase{"StrongRight", false, "40", "10", false},
                      KnockOutCase{"StrongFromTheAirLeft", true, "20", "1", true},
                      KnockOutCase{"StrongFromTheAirRight", false, "20", "5", true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(FightFixture, EnergyExactlyZeroIsNoKnockOut) {
    startFight();
    setEnergies("2", "50");
    place(3000, 5000);
    call("pest");
    EXPECT_EQ(fight().ziv1.caption(), "0");
    EXPECT_FALSE(fight().hlaska.visible());
}

// Stands in for a held key whose blow comes while another blow's reaction lets events
// run: the first tick of Timer17 after `arm` runs the blow once.
class NestedBlow : public FightFixture {
  protected:
    void arm(const std::string& blow) {
        fight().Timer17.onTimer = [this, blow] {
            if (landed++ == 0) boj().routines().at(blow)();
        };
    }
    int landed = 0;
};

// The right fighter's kick leaves the left one at -19; while its drops fly, the right
// fighter's held punch, which with a strength of 20 would make -39, lands on nothing.
TEST_F(NestedBlow, InAReactionsEventPointStillKnocksOut) {
    startFight();
    advanceMs(5000);
    store().silauderul.setCaption("20");
    setEnergies("1", "30");
    place(3000, 5000);
    arm("pest");
    call("kop");
    EXPECT_GT(landed, 0) << "the punch ran inside the kick's reaction";
    EXPECT_EQ(fight().ziv1.caption(), "-25");
    EXPECT_EQ(sequencesRun(headless.audio), 1);
    advanceMs(kAfterFightMs);
    EXPECT_TRUE(game.drzky().visible());
}

// The right fighter's kick leaves the left one at -1 and so earns a knock-out; while its
// drops fly, the left fighter's punch, which would knock the right one out, lands on
// nothing. The kick's reaction knocks the left fighter out.
TEST_F(NestedBlow, APendingKnockOutLetsNoOtherBlowLand) {
    startFight();
    advanceMs(5000);
    setEnergies("1", "1");
    place(3000, 5000);
    arm("HP");
    call("kop");
    EXPECT_GT(landed, 0);
    EXPECT_EQ(sequencesRun(headless.audio), 1);
    EXPECT_EQ(fight().ziv1.caption(), "-25");
    EXPECT_EQ(fight().ziv2.caption(), "1");
    EXPECT_EQ(fight().Image2.picture(), pictures().pravej[20].picture()) << "the right one won";
}

// The countdown runs out while the drops of a kick that took the left fighter to -1 fly:
// the time-out decides the fight, and the kick's reaction then knocks nobody out, so the
// faces and the after-fight bookkeeping read the same energies.
TEST_F(FightFixture, TimeOutDuringAKnockOutsReactionDecidesTheFight) {
    startFight();
    setEnergies("1", "30");
    place(3000, 5000);
    advanceMs(5000 + 59000);
    advanceMs(950);  // the countdown reaches 0 while the kick's drops fly
    call("kop");
    EXPECT_EQ(sequencesRun(headless.audio), 1);
    EXPECT_EQ(fight().ziv1.caption(), "-1");
    EXPECT_EQ(game.drzky().ui().levej.picture(), pictures().levejout.picture());
    EXPECT_EQ(boj().finishLeftVictim, 1) << "the knock-out picture was up";
    advanceMs(kAfterFightMs + kSequenceMs);
    EXPECT_TRUE(game.drzky().visible());
}

}  // namespace
}  // namespace vorkala::testing
