// Walking, dashing and the shared keyboard on the fight screen, driven by key timelines
// on the virtual clock.
#include <string>
#include <vector>

#include "fight_fixture.h"
#include "runtime/keys.h"

namespace vorkala::testing {
namespace {

using vk::Key;

class Moves : public FightFixture {
  protected:
    void SetUp() override {
        startFight();
        run([&] { game.boj().show(); });  // the shown fight screen takes the keys
    }
    void press(int code, int shift = 0) {
        headless.input.post(vk::KeyDownEvent{code, shift});
        runtime.dispatchPending();
    }
    void release(int code) {
        headless.input.post(vk::KeyUpEvent{code, 0});
        runtime.dispatchPending();
    }
};

// ---- steps

struct StepCase {
    const char* routine;
    float left, right;            // before
    float leftAfter, rightAfter;  // after
    int gateAfter;                // cekal, which starts at 1
};

class WalkingStep : public Moves, public ::testing::WithParamInterface<StepCase> {};

TEST_P(WalkingStep, KeepsDistanceBeforeAndAfterAndTheEdgeBefore) {
    const StepCase& t = GetParam();
    place(t.left, t.right);
    call(t.routine);
    EXPECT_EQ(fight().prvni.left(), t.leftAfter);
    EXPECT_EQ(fight().druhej.left(), t.rightAfter);
    EXPECT_EQ(boj().cekal, t.gateAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Places, WalkingStep,
    ::testing::Values(
        // Back at the edges: one stride beyond, and no further however often.
        StepCase{"vlevo", 200, 8000, -150, 8000, 1}, StepCase{"vlevo", -150, 8000, -150, 8000, 1},
        StepCase{"vlevo", 3000, 8000, 2650, 8000, 1}, StepCase{"vp", 2000, 10000, 2000, 10350, 0},
        StepCase{"vp", 2000, 10350, 2000, 10350, 0}, StepCase{"vp", 2000, 5000, 2000, 5350, 0},
        // Forward: the stride is cut short at the minimum distance...
        StepCase{"vpravo", 3000, 4700, 3100, 4700, 0},
        StepCase{"vpravo", 3000, 6000, 3250, 6000, 0}, StepCase{"vl", 3000, 4800, 3000, 4650, 0},
        StepCase{"vl", 3000, 6000, 3000, 5750, 0},
        // ... and a fighter already closer is put back first, so it steps backwards.
        StepCase{"vpravo", 3000, 4500, 2900, 4500, 0}, StepCase{"vl", 3000, 4000, 3000, 4650, 0},
        // Forward at the edges: the edge holds before the stride.
        StepCase{"vl", -500, 100, -500, 1150, 0},
        StepCase{"vpravo", 10500, 13000, 10250, 13000, 0}));

TEST_F(Moves, WalkingAlternatesTwoFramesOnTheGroundOnly) {
    place(2000, 8000);
    const auto& poses = pictures().levej;
    std::vector<bool> walkFrame;
    for (int i = 0; i < 3; ++i) {
        call("vpravo");
        walkFrame.push_back(fight().prvni.picture() == poses[18].picture());
    }
    EXPECT_EQ(walkFrame, (std::vector<bool>{true, false, true}));
    EXPECT_EQ(fight().prvni.picture(), poses[18].picture());
    call("vp");
    EXPECT_EQ(fight().druhej.picture(), pictures().pravej[18].picture());

    holdInTheAir();
    fight().prvni.setTop(4219);  // just above the ground line 4320 less its margin of 100
    fight().prvni.setPicture(poses[16].picture());
    call("vpravo");
    EXPECT_EQ(fight().prvni.picture(), poses[16].picture()) << "sideways in the air";
    EXPECT_EQ(fight().prvni.left(), 2000 + 4 * 250);
}

// ---- dashes

struct DashCase {
    const char* routine;
    float from;
    float to;
};

class DashBack : public Moves, public ::testing::WithParamInterface<DashCase> {};

TEST_P(DashBack, TenStridesKeptInsideTheFloor) {
    const DashCase& t = GetParam();
    const bool left = std::string(t.routine) == "utekl";
    place(left ? t.from : 200, left ? 10000 : t.from);
    call(t.routine);
    EXPECT_EQ((left ? fight().prvni : fight().druhej).left(), t.to);
    EXPECT_EQ(boj().kroky, 10);
    const auto& poses = left ? pictures().levej : pictures().pravej;
    EXPECT_EQ((left ? fight().prvni : fight().druhej).picture(), poses[17].picture());
}

INSTANTIATE_TEST_SUITE_P(
    Places, DashBack,
    ::testing::Values(DashCase{"utekl", 5000, 2500}, DashCase{"utekl", 700, 200},
                      DashCase{"utekl", -150, 200}, DashCase{"utek", 5000, 7500},
                      DashCase{"utek", 9000, 10000}, DashCase{"utek", 10350, 10000}));

TEST_F(Moves, DashInTheAirDoesNothing) {
    holdInTheAir();
    place(5000, 8000);
    for (vk::Control* f : {&fight().prvni, &fight().druhej}) {
        f->setTop(3000);
        f->setPicture(pictures().levej[16].picture());
    }
    call("utekl");
    call("utek");
    EXPECT_EQ(fight().prvni.left(), 5000);
    EXPECT_EQ(fight().druhej.left(), 8000);
    EXPECT_EQ(fight().prvni.picture(), pictures().levej[16].picture()) << "not even the pose";
}

// The left dash lets events run before its first stride; the right dash held on the
// keyboard runs there, restarts the shared counter, makes its ten strides, and the left
// dash then makes the one stride it was about to make and ends.
TEST_F(Moves, DashInterruptedByAnotherEndsAfterItsCurrentStride) {
    place(6000, 7000);
    boj().akcel = HeldAction::Dash;
    boj().akcep = HeldAction::Dash;
    advanceMs(50);  // both held-action timers come due; the left one fires first
    EXPECT_EQ(fight().prvni.left(), 6000 - 250);
    EXPECT_EQ(fight().druhej.left(), 7000 + 2500);
}

// ---- the keyboard

struct KeyStep {
    enum Kind { Down, Up } kind;
    int code;
    int shift = 0;
};
struct KeyCase {
    const char* name;
    float leftTop, rightTop;  // kStanding or in the air
    std::vector<KeyStep> timeline;
    std::string akcel, akcep;
    int skokl, skokp;
};

class KeyTimeline : public Moves, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(KeyTimeline, WriteTheHeldActionsAndJumpRequests) {
    const KeyCase& t = GetParam();
    holdInTheAir();
    fight().Timer17.setEnabled(false);
    fight().Timer18.setEnabled(false);
    fight().prvni.setTop(t.leftTop);
    fight().druhej.setTop(t.rightTop);
    for (const KeyStep& s : t.timeline) {
        if (s.kind == KeyStep::Down)
            press(s.code, s.shift);
        else
            release(s.code);
    }
    EXPECT_EQ(boj().variable("akcel"), t.akcel);
    EXPECT_EQ(boj().variable("akcep"), t.akcep);
    EXPECT_EQ(boj().skokl, t.skokl);
    EXPECT_EQ(boj().skokp, t.skokp);
}

using enum KeyStep::Kind;
constexpr float kAir = 3000, kGround = 4420;  // where gravity leaves a fighter

INSTANTIATE_TEST_SUITE_P(
    Timelines, KeyTimeline,
    ::testing::Values(
        KeyCase{"LeftKeys", kGround, kGround, {{Down, Key::A}}, "vlevo", "", 0, 0},
        KeyCase{"D", kGround, kGround, {{Down, Key::D}}, "vpravo", "", 0, 0},
        KeyCase{"S", kGround, kGround, {{Down, Key::S}}, "utekl", "", 0, 0},
        KeyCase{"T", kGround, kGround, {{Down, Key::T}}, "HP", "", 0, 0},
        KeyCase{"G", kGround, kGround, {{Down, Key::G}}, "SPEST", "", 0, 0},
        KeyCase{"Z", kGround, kGround, {{Down, Key::Z}}, "HK", "", 0, 0},
        KeyCase{"H", kGround, kGround, {{Down, Key::H}}, "SPODK", "", 0, 0},
        KeyCase{"W", kGround, kGround, {{Down, Key::W}}, "", "", 1, 0},
        KeyCase{"LeftArrow", kGround, kGround, {{Down, Key::Left}}, "", "vlevo", 0, 0},
        KeyCase{"RightArrow", kGround, kGround, {{Down, Key::Right}}, "", "vpravo", 0, 0},
        KeyCase{"DownArrow", kGround, kGround, {{Down, Key::Down}}, "", "utek", 0, 0},
        KeyCase{"UpArrow", kGround, kGround, {{Down, Key::Up}}, "", "", 0, 1},
        KeyCase{"Insert", kGround, kGround, {{Down, Key::Insert}}, "", "pest", 0, 0},
        KeyCase{"Delete", kGround, kGround, {{Down, Key::Delete}}, "", "dpest", 0, 0},
        KeyCase{"Home", kGround, kGround, {{Down, Key::Home}}, "", "kop", 0, 0},
        KeyCase{"End", kGround, kGround, {{Down, Key::End}}, "", "dkop", 0, 0},
        // Holding D, pressing T, releasing D: the release clears the punch too.
        KeyCase{"DThenTThenReleaseD",
                kGround,
                kGround,
                {{Down, Key::D}, {Down, Key::T}, {Up, Key::D}},
                "",
                "",
                0,
                0},
        KeyCase{"ShiftCtrlAltAlike", kGround, kGround, {{Down, Key::A, 1}}, "vlevo", "", 0, 0},
        KeyCase{"CtrlEnd", kGround, kGround, {{Down, Key::End, 2}}, "", "dkop", 0, 0},
        // In the air S, W and Up write nothing; Down writes its dash anyway.
        KeyCase{"InTheAir",
                kAir,
                kAir,
                {{Down, Key::S}, {Down, Key::W}, {Down, Key::Up}, {Down, Key::Down}},
                "",
                "utek",
                0,
                0},
        KeyCase{"ReleaseW", kGround, kGround, {{Down, Key::W}, {Up, Key::W}}, "", "", 0, 0},
        KeyCase{"ReleaseUpInTheAir", kGround, kAir, {{Down, Key::Up}}, "", "", 0, 0},
        KeyCase{"OtherKeysNothing",
                kGround,
                kGround,
                {{Down, Key::D}, {Down, Key::Space}, {Up, Key::Space}, {Down, Key::Enter}},
                "vpravo",
                "",
                0,
                0},
        KeyCase{"SidesApart",
                kGround,
                kGround,
                {{Down, Key::D}, {Down, Key::Home}, {Up, Key::Home}},
                "vpravo",
                "",
                0,
                0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Moves, HeldKeyRepeatsItsActionEvery50Milliseconds) {
    place(1200, 8400);
    press(Key::D);
    advanceMs(500);
    release(Key::D);
    advanceMs(500);
    EXPECT_EQ(fight().prvni.left(), 1200 + 10 * 250);
    press(Key::Right);
    advanceMs(100);
    release(Key::Right);
    EXPECT_EQ(fight().druhej.left(), 8400 + 2 * 350);
}

TEST_F(Moves, AfterAKnockOutTheFirstKeyStopsBothHeldActionTimers) {
    press(Key::D);
    advanceMs(50);
    EXPECT_TRUE(fight().Timer17.running());
    fight().ziv2.setCaption("-25");
    advanceMs(50);
    EXPECT_TRUE(fight().Timer17.running()) << "only a key press stops them";
    const float left = fight().prvni.left();
    press(Key::A);
    EXPECT_EQ(boj().variable("akcel"), "vlevo") << "the press still writes";
    for (vk::Timer* t : {&fight().Timer17, &fight().Timer18}) {
        EXPECT_EQ(t->interval(), 0);
        EXPECT_FALSE(t->enabled());
    }
    advanceMs(500);
    EXPECT_EQ(fight().prvni.left(), left);
}

struct DecidedCase {
    const char* ziv1;
    const char* ziv2;
    std::int16_t secondsLeft;
    bool stops;
};

class KeysInADecidedFight : public Moves, public ::testing::WithParamInterface<DecidedCase> {};

TEST_P(KeysInADecidedFight, StopsTheHeldActionsBelowMinusOneOrAtTheTimeOut) {
    const DecidedCase& t = GetParam();
    setEnergies(t.ziv1, t.ziv2);
    boj().secondsLeft = t.secondsLeft;
    press(Key::Z);
    EXPECT_EQ(fight().Timer17.running(), !t.stops);
    EXPECT_EQ(fight().Timer18.running(), !t.stops);
}

INSTANTIATE_TEST_SUITE_P(Energies, KeysInADecidedFight,
                         ::testing::Values(DecidedCase{"-1", "-1", 1, false},
                                           DecidedCase{"-1.5", "10", 1, true},
                                           DecidedCase{"10", "-2", 30, true},
                                           DecidedCase{"10", "10", 0, true},
                                           DecidedCase{"0", "0", 60, false}));

TEST_F(Moves, HeldActionsCarryOverIntoTheNextFight) {
    press(Key::Left);
    press(Key::W);
    run([&] { game.boj().unload(); });
    EXPECT_EQ(boj().variable("akcep"), "vlevo");
    loadFight();
    place(2000, 8000);
    fight().prvni.setTop(kStanding);
    fight().druhej.setTop(kStanding);
    advanceMs(50);
    EXPECT_EQ(fight().druhej.left(), 8000 - 250) << "repeats from the load on";
    EXPECT_LT(fight().prvni.top(), kStanding) << "the jump request rises at once";
}

}  // namespace
}  // namespace vorkala::testing
