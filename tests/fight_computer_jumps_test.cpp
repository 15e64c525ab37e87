// The computer opponents, the idle poses, jumps with gravity, and the shadows, on the
// virtual clock.
#include <string>
#include <vector>

#include "fight_fixture.h"
#include "shell/module.h"

namespace vorkala::testing {
namespace {

class Engine : public FightFixture {
  protected:
    void SetUp() override {
        startFight();
        run([&] { game.boj().show(); });
    }
    void press(int code) {
        headless.input.post(vk::KeyDownEvent{code, 0});
        runtime.dispatchPending();
    }
    void release(int code) {
        headless.input.post(vk::KeyUpEvent{code, 0});
        runtime.dispatchPending();
    }
    // Moves the clock on to the next millisecond at which the computer would draw `n`.
    void waitForDraw(int n) {
        for (int ms = 0; ms < 100000; ++ms) {
            if (RandomInRange(runtime.clock(), 1, 100) == n) return;
            advanceMs(1);
        }
        FAIL() << "no draw of " << n;
    }
};

// ---- the move table

enum class Move { None, Forward, Back, LowPunch, HighKick, HighPunch, Jump, LowKick };

struct DrawCase {
    int draw;
    Move right;  // poh
    Move left;   // pohyb
};

class ComputerDraw : public Engine, public ::testing::WithParamInterface<DrawCase> {};

// What one call made the side's fighter do, far from the other one so that no blow lands.
Move moveMade(const Boj& boj, bool rightSide, BojControls& c, ObrControls& p, float before) {
    const vk::Control& fighter = rightSide ? c.druhej : c.prvni;
    const auto& poses = rightSide ? p.pravej : p.levej;
    const float forward = rightSide ? -250 : 250, back = rightSide ? 350 : -350;
    if ((rightSide ? boj.skokp : boj.skokl) == 1) return Move::Jump;
    if (fighter.picture() == poses[5].picture()) return Move::LowPunch;
    if (fighter.picture() == poses[8].picture()) return Move::HighKick;
    if (fighter.picture() == poses[11].picture()) return Move::HighPunch;
    if (fighter.picture() == poses[15].picture()) return Move::LowKick;
    if (fighter.left() == before + forward) return Move::Forward;
    if (fighter.left() == before + back) return Move::Back;
    return fighter.left() == before ? Move::None : Move::Back;
}

TEST_P(ComputerDraw, MakesTheMoveOfTheRowThatEnclosesTheDraw) {
    const DrawCase& t = GetParam();
    for (bool rightSide : {true, false}) {
        auto& c = fight();
        holdInTheAir();  // nothing falls or rises while the clock looks for the draw
        for (vk::Timer* idle : {&c.Timer7, &c.Timer8, &c.Timer15, &c.Timer17, &c.Timer18})
            idle->setEnabled(false);
        place(2000, 8000);
        boj().skokl = boj().skokp = 0;
        c.prvni.setPicture(pictures().levej[0].picture());
        c.druhej.setPicture(pictures().pravej[0].picture());
        waitForDraw(t.draw);
        const float before = rightSide ? c.druhej.left() : c.prvni.left();
        call(rightSide ? "poh" : "pohyb");
        EXPECT_EQ(boj().nahoda, t.draw);
        EXPECT_EQ(moveMade(boj(), rightSide, c, pictures(), before), rightSide ? t.right : t.left)
            << (rightSide ? "poh " : "pohyb ") << t.draw;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Draws, ComputerDraw,
    ::testing::Values(
        DrawCase{1, Move::Forward, Move::Forward}, DrawCase{20, Move::Forward, Move::Forward},
        DrawCase{21, Move::None, Move::None}, DrawCase{22, Move::None, Move::None},
        DrawCase{23, Move::Back, Move::Back}, DrawCase{24, Move::LowPunch, Move::LowPunch},
        DrawCase{25, Move::None, Move::None}, DrawCase{26, Move::HighKick, Move::HighKick},
        DrawCase{27, Move::HighKick, Move::None}, DrawCase{28, Move::HighKick, Move::HighPunch},
        DrawCase{54, Move::HighKick, Move::HighPunch},
        DrawCase{55, Move::HighPunch, Move::HighPunch},
        DrawCase{64, Move::HighPunch, Move::HighPunch}, DrawCase{65, Move::Jump, Move::Jump},
        DrawCase{74, Move::Jump, Move::Jump}, DrawCase{75, Move::LowKick, Move::LowKick},
        DrawCase{100, Move::LowKick, Move::LowKick}),
    [](const auto& info) { return std::to_string(info.param.draw); });

// ---- the gates

struct GateCase {
    const char* obtiznostL;
    const char* obtiznostP;
    const char* turbol;
    const char* turbop;
    float gap;
    int cekal, cekap;
};

class Gates : public Engine, public ::testing::WithParamInterface<GateCase> {};

TEST_P(Gates, OpenWithinReachForTheComputersSides) {
    const GateCase& t = GetParam();
    store().ObtiznostL.setCaption(t.obtiznostL);
    store().ObtiznostP.setCaption(t.obtiznostP);
    store().Turbol.setCaption(t.turbol);
    store().Turbop.setCaption(t.turbop);
    place(3000, 3000 + t.gap);
    advanceMs(20);
    EXPECT_EQ(boj().cekal, t.cekal);
    EXPECT_EQ(boj().cekap, t.cekap);
}

INSTANTIATE_TEST_SUITE_P(Sides, Gates,
                         ::testing::Values(GateCase{"0", "0", "0", "0", 2000, 1, 1},
                                           GateCase{"1", "0", "0", "0", 4999, 0, 1},
                                           GateCase{"0", "3", "0", "0", 4999, 1, 0},
                                           GateCase{"2", "2", "0", "0", 5000, 1, 1},
                                           GateCase{"0", "0", "1", "0", 4000, 1, 0},
                                           GateCase{"0", "0", "0", "1", 4000, 0, 1}));

TEST_F(Engine, RightComputerWakesAfterNineStepsForward) {
    store().ObtiznostP.setCaption("3");
    fight().Timer5.setInterval(25);
    place(1200, 8400);
    std::vector<int> gate;
    for (int i = 0; i < 9; ++i) {
        call("vpravo");
        advanceMs(16);  // a tick of the activation timer
        gate.push_back(boj().cekap);
    }
    EXPECT_EQ(gate, (std::vector<int>{1, 1, 1, 1, 1, 1, 1, 1, 0}));
}

TEST_F(Engine, LeftComputerWakesOnTheRightHumansFirstStep) {
    store().ObtiznostL.setCaption("1");
    fight().Timer1.setInterval(500);
    place(1200, 8400);
    advanceMs(1000);
    EXPECT_EQ(boj().cekal, 1);
    EXPECT_EQ(fight().prvni.left(), 1200);
    press(39);  // a step back, away from the computer
    advanceMs(50);
    release(39);
    EXPECT_EQ(boj().cekal, 0);
    advanceMs(5000);
    EXPECT_NE(fight().prvni.left(), 1200) << "it plays from then on";
}

TEST_F(Engine, AKnockOutStopsBothComputers) {
    store().ObtiznostP.setCaption("3");
    fight().Timer5.setInterval(25);
    place(3000, 5000);
    setEnergies("1", "50");
    advanceMs(5000);
    EXPECT_EQ(boj().cekap, 1);
    EXPECT_FALSE(fight().Timer5.enabled());
    EXPECT_EQ(fight().ziv1.caption(), "-25");
}

// ---- idle poses

struct IdleCase {
    const char* energy;
    int afterStance;  // pose after a Timer15 tick; -1 unchanged
    int afterFrame;   // pose after the fighter's own idle timer
};

class IdlePoses : public Engine, public ::testing::WithParamInterface<IdleCase> {};

TEST_P(IdlePoses, StanceAndSecondFrameByEnergy) {
    const IdleCase& t = GetParam();
    setEnergies(t.energy, t.energy);
    auto poseOf = [&](const vk::Control& f, const vk::ControlArray<>& poses) {
        for (int i = 0; i <= 20; ++i)
            if (poses[i].picture() && f.picture() == poses[i].picture()) return i;
        return -1;
    };
    for (vk::Control* f : {&fight().prvni, &fight().druhej}) f->setPicture(nullptr);
    advanceMs(802);  // Timer15
    EXPECT_EQ(poseOf(fight().prvni, pictures().levej), t.afterStance);
    EXPECT_EQ(poseOf(fight().druhej, pictures().pravej), t.afterStance);
    for (vk::Control* f : {&fight().prvni, &fight().druhej}) f->setPicture(nullptr);
    advanceMs(815 - 802);  // Timer7, the right fighter's
    EXPECT_EQ(poseOf(fight().druhej, pictures().pravej), t.afterFrame);
    advanceMs(825 - 815);  // Timer8, the left fighter's
    EXPECT_EQ(poseOf(fight().prvni, pictures().levej), t.afterFrame);
}

INSTANTIATE_TEST_SUITE_P(Energies, IdlePoses,
                         ::testing::Values(IdleCase{"50", 0, 18}, IdleCase{"23.5", 0, 18},
                                           IdleCase{"23", -1, -1}, IdleCase{"22.9", 1, 1},
                                           IdleCase{"-25", 1, 1}));

TEST_F(Engine, AJumpRequestKeepsTheStanceTimerOffTheFighter) {
    holdInTheAir();
    boj().skokl = 1;
    fight().prvni.setPicture(pictures().levej[16].picture());
    advanceMs(802);
    EXPECT_EQ(fight().prvni.picture(), pictures().levej[16].picture());
    EXPECT_EQ(fight().druhej.picture(), pictures().pravej[0].picture());
}

// ---- jumps and gravity

TEST_F(Engine, AJumpFrom4420RisesPast2000AndLandsAt4420) {
    std::vector<float> tops;
    press(87);  // W, held all along
    float highest = kStanding;
    for (int ms = 0; ms < 1500; ++ms) {
        advanceMs(1);
        highest = std::min(highest, fight().prvni.top());
        if (tops.empty() || tops.back() != fight().prvni.top()) tops.push_back(fight().prvni.top());
    }
    EXPECT_LT(highest, 2000);
    EXPECT_GT(highest, 2000 - 6 * 100) << "at most one apex period of rise past the mark";
    EXPECT_EQ(fight().prvni.top(), kStanding);
    EXPECT_EQ(boj().skokl, 0) << "the apex clears the request although W is held";
    for (std::size_t i = 1; i < tops.size(); ++i)
        EXPECT_EQ(std::abs(tops[i] - tops[i - 1]), 100) << "100 twips a tick";
    release(87);
}

TEST_F(Engine, ReleasingWHalfwayEndsTheRiseAndTheFighterFallsBack) {
    press(87);
    advanceMs(200);
    release(87);
    const float released = fight().prvni.top();
    EXPECT_LT(released, kStanding);
    EXPECT_GT(released, 2000);
    advanceMs(16);
    EXPECT_EQ(fight().prvni.top(), released + 100);
    advanceMs(1000);
    EXPECT_EQ(fight().prvni.top(), kStanding);
}

TEST_F(Engine, AComputersJumpWhileFallingHangsTheFighter) {
    fight().druhej.setTop(3000);
    advanceMs(100);
    const float falling = fight().druhej.top();
    EXPECT_GT(falling, 3000);
    boj().skokp = 1;  // as `poh` writes it, without a ground test
    advanceMs(3000);
    EXPECT_EQ(fight().druhej.top(), falling);
    boj().skokp = 0;
    advanceMs(1000);
    EXPECT_EQ(fight().druhej.top(), 4400) << "on its own grid, the first step below 4320";
}

struct SinkCase {
    float pickedTop;
    float standsAt;
};

class Gravity : public FightFixture, public ::testing::WithParamInterface<SinkCase> {};

TEST_P(Gravity, PickedFightersSinkToTheFirstStepBelowTheGroundLine) {
    fillStores();
    loadFight();
    fight().prvni.setTop(GetParam().pickedTop);
    fight().druhej.setTop(GetParam().pickedTop);
    advanceMs(2000);
    EXPECT_EQ(fight().prvni.top(), GetParam().standsAt);
    EXPECT_EQ(fight().druhej.top(), GetParam().standsAt);
}

INSTANTIATE_TEST_SUITE_P(Tops, Gravity,
                         ::testing::Values(SinkCase{4320, 4420}, SinkCase{3800, 4400},
                                           SinkCase{4321, 4321}, SinkCase{5070, 5070}));

// ---- shadows

TEST_F(Engine, ShadowsFollowTheFinishingSpritesBeforeTheRoundStartThenTheFighters) {
    place(3000, 7000);
    advanceMs(20);
    EXPECT_EQ(fight().stinl.left(), fight().Image1.left());
    EXPECT_EQ(fight().stinp.left(), fight().Image2.left());
    advanceMs(5000);  // the round starts and enables the fighters
    press(68);
    advanceMs(100);
    release(68);
    advanceMs(20);
    EXPECT_EQ(fight().stinl.left(), fight().prvni.left());
    EXPECT_EQ(fight().stinp.left(), 7000);
}

}  // namespace
}  // namespace vorkala::testing
