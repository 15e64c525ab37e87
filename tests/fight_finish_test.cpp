// The end of a fight: time-out and knock-out, the 5000-frame finishing sequence frame by
// frame, the faces, and the after-fight screen four seconds later.
#include <algorithm>
#include <string>
#include <vector>

#include "fight/drzky.h"
#include "fight_fixture.h"
#include "shell/hlaska.h"

namespace vorkala::testing {
namespace {

constexpr long kTimeOutMs = 65000;  // round start at 5 s, then 60 one-second ticks
constexpr long kSequenceMs = 5000;

// Where the finishing sprites stand after each frame.
struct FrameView {
    float left1, top1, left2, top2, shadowLeft, shadowRight;
    vk::PictureRef picture1, picture2;
    long jingles;
};

class Finishing : public FightFixture {
  protected:
    void recordFrames() {
        pacer.probe = [this] {
            auto& c = fight();
            frames.push_back({c.Image1.left(), c.Image1.top(), c.Image2.left(), c.Image2.top(),
                              c.stinl.left(), c.stinp.left(), c.Image1.picture(),
                              c.Image2.picture(), startsOf(headless.audio, "boj.MMControl1")});
        };
    }
    const FrameView& after(int frame) const {
        return frames.at(static_cast<std::size_t>(frame - 1));
    }

    std::vector<FrameView> frames;
};

// One winner per fight: the finishing sequence and the faces both name it. The higher
// energy wins; a tie goes to the right fighter.
struct TimeOutCase {
    const char* left;
    const char* right;
    bool leftWins;
};

class TimeOut : public Finishing, public ::testing::WithParamInterface<TimeOutCase> {};

TEST_P(TimeOut, TheSequenceAndTheFacesShowTheSameWinner) {
    const TimeOutCase& t = GetParam();
    startFight();
    setEnergies(t.left, t.right);
    advanceMs(kTimeOutMs - 1);
    EXPECT_FALSE(fight().hlaska.visible());
    advanceMs(1);
    EXPECT_TRUE(fight().hlaska.visible());
    EXPECT_FALSE(fight().prvni.visible());
    EXPECT_FALSE(fight().druhej.visible());
    EXPECT_EQ(pacer.paces(), 5000u) << "exactly one finishing sequence";
    EXPECT_EQ(nowMs(), kTimeOutMs + kSequenceMs) << "one millisecond a frame";
    auto& c = fight();
    auto& store = pictures();
    EXPECT_EQ(c.Image1.picture(), store.levej[t.leftWins ? 20 : 2].picture());
    EXPECT_EQ(c.Image2.picture(), store.pravej[t.leftWins ? 2 : 20].picture());
    auto& faces = game.drzky().ui();
    EXPECT_EQ(faces.levej.picture(), (t.leftWins ? store.levejwin : store.levejout).picture());
    EXPECT_EQ(faces.pravej.picture(), (t.leftWins ? store.pravejout : store.pravejwin).picture());
    EXPECT_EQ(c.pe.caption(), "1");
    EXPECT_EQ(c.Timer3.interval(), 4000);
    EXPECT_EQ(boj().cekal, 1);
    EXPECT_EQ(boj().cekap, 1);
    EXPECT_EQ(boj().roundBannerUp, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Energies, TimeOut,
    ::testing::Values(TimeOutCase{"9", "10", false}, TimeOutCase{"10", "9", true},
                      TimeOutCase{"10", "10", false}, TimeOutCase{"0", "0", false},
                      TimeOutCase{"100", "25", true}, TimeOutCase{"9.5", "10", false}));

TEST_F(Finishing, RightFinishesLeftFrameByFrame) {
    startFight();
    setEnergies("9", "10");
    recordFrames();
    advanceMs(kTimeOutMs);
    ASSERT_EQ(frames.size(), 5000u);
    const auto& store = pictures();
    // The kick: up and in until frame 399, frame 400 between windows, down until 799.
    EXPECT_EQ(after(1).left2, 8999);
    EXPECT_EQ(after(399).left2, 8601);
    EXPECT_EQ(after(399).top2, 3921);
    EXPECT_EQ(after(400).left2, 8601);
    EXPECT_EQ(after(400).top2, 3921);
    EXPECT_EQ(after(799).left2, 8202);
    EXPECT_EQ(after(799).top2, 4320);
    EXPECT_EQ(after(5000).left2, 8202);
    EXPECT_EQ(after(799).shadowRight, 8202);
    // The victim flies back a twip a frame, rising and falling by the windows.
    EXPECT_EQ(after(1).left1, 8699);
    EXPECT_EQ(after(5000).left1, 3700);
    EXPECT_EQ(after(5000).shadowLeft, 3701) << "the shadow follows before the move";
    for (auto [frame, top] : std::vector<std::pair<int, float>>{{499, 3322},
                                                                {500, 3322},
                                                                {999, 2823},
                                                                {1000, 2823},
                                                                {1499, 3322},
                                                                {1500, 3322},
                                                                {1999, 4320},
                                                                {2000, 4320},
                                                                {2999, 3321},
                                                                {3000, 3321},
                                                                {3999, 4320},
                                                                {5000, 4320}})
        EXPECT_EQ(after(frame).top1, top) << frame;
    EXPECT_EQ(after(1).picture2, store.pravej[8].picture());
    EXPECT_EQ(after(1999).picture1, store.levej[19].picture());
    EXPECT_EQ(after(2000).picture1, store.levej[2].picture());
    EXPECT_EQ(fight().Image2.picture(), store.pravej[20].picture());
    EXPECT_EQ(fight().prvni.left(), 1);
    EXPECT_EQ(fight().druhej.left(), 10000);
}

TEST_F(Finishing, LeftFinishesRightFrameByFrame) {
    startFight();
    setEnergies("11", "10");
    recordFrames();
    advanceMs(kTimeOutMs);
    ASSERT_EQ(frames.size(), 5000u);
    const auto& store = pictures();
    EXPECT_EQ(after(1).left1, 841);
    EXPECT_EQ(after(1).left2, 841) << "placed from the kicker before the kicker moves";
    EXPECT_EQ(after(399).left1, 1239);
    EXPECT_EQ(after(399).top1, 3921);
    EXPECT_EQ(after(400).top1, 3921);
    EXPECT_EQ(after(799).left1, 1638);
    EXPECT_EQ(after(799).top1, 4320);
    EXPECT_EQ(after(5000).left1, 1638) << "the kicker stands still after frame 799";
    EXPECT_EQ(after(5000).left2, 6638);
    EXPECT_EQ(after(5000).shadowRight, 6638);
    EXPECT_EQ(after(5000).shadowLeft, 1638);
    for (auto [frame, top] : std::vector<std::pair<int, float>>{
             {499, 3322}, {999, 2823}, {1999, 4320}, {2999, 3321}, {3999, 4320}, {5000, 4320}})
        EXPECT_EQ(after(frame).top2, top) << frame;
    EXPECT_EQ(after(1).picture1, store.levej[8].picture());
    EXPECT_EQ(after(1999).picture2, store.pravej[19].picture());
    EXPECT_EQ(after(2000).picture2, store.pravej[2].picture());
    EXPECT_EQ(fight().Image1.picture(), store.levej[20].picture());
    EXPECT_EQ(fight().druhej.left(), 100000);
}

TEST_F(Finishing, JingleSoundsWhenTheFramesAreOverNotBefore) {
    startFight();
    setEnergies("30", "20");
    recordFrames();
    advanceMs(kTimeOutMs);
    ASSERT_EQ(frames.size(), 5000u);
    EXPECT_EQ(after(5000).jingles, 0);
    EXPECT_EQ(startsOf(headless.audio, "boj.MMControl1"), 1);
}

TEST_F(Finishing, NoEventRunsDuringTheSequence) {
    startFight();
    setEnergies("30", "20");
    std::uint64_t changesSeen = 0;
    pacer.probe = [&] {
        if (fight().Timer3.interval() != 0 || game.drzky().visible()) ++changesSeen;
    };
    headless.input.post(vk::ClickEvent{fight().Image14.left() + 10, fight().Image14.top() + 10});
    advanceMs(kTimeOutMs);
    EXPECT_EQ(changesSeen, 0u);
    EXPECT_FALSE(runtime.ended()) << "the waiting click is still waiting";
}

TEST_F(Finishing, AfterFightScreenFourSecondsLaterAndAgainEveryFourSeconds) {
    startFight();
    setEnergies("9", "10");
    advanceMs(kTimeOutMs + kSequenceMs - nowMs());
    advanceMs(3999);
    EXPECT_FALSE(game.drzky().visible());
    EXPECT_TRUE(game.drzky().loaded()) << "loaded hidden by the pick";
    advanceMs(1);
    EXPECT_TRUE(game.drzky().visible());
    EXPECT_EQ(runtime.activeScreen(), &game.drzky());
    game.hlaska().show();
    ASSERT_EQ(runtime.activeScreen(), &game.hlaska());
    advanceMs(4000);
    EXPECT_EQ(runtime.activeScreen(), &game.drzky()) << "Timer3 shows it again";
}

TEST_F(Finishing, KnockOutFacesAndTheAfterFightScreenWithoutASecondSequence) {
    startFight();
    advanceMs(20000);
    setEnergies("30", "-2");  // the right fighter has just fallen below zero
    run([&] { boj().vyhra(); });
    const long sequenceEnd = nowMs();
    fight().ziv2.setCaption("-25");  // the knock-out marks the loser afterwards
    EXPECT_EQ(fight().Timer14.interval(), 0);
    EXPECT_FALSE(fight().Timer14.enabled());
    EXPECT_EQ(game.drzky().ui().levej.picture(), pictures().levejwin.picture());
    EXPECT_EQ(game.drzky().ui().pravej.picture(), pictures().pravejout.picture());
    const std::string shownAtKnockOut = fight().odpocet.caption();
    advanceMs(3999);
    EXPECT_FALSE(game.drzky().visible());
    advanceMs(1);
    EXPECT_TRUE(game.drzky().visible());
    EXPECT_EQ(nowMs() - sequenceEnd, 4000);
    EXPECT_EQ(pacer.paces(), 5000u) << "Timer2 ran nothing";
    EXPECT_EQ(fight().odpocet.caption(), shownAtKnockOut) << "the countdown stopped";
    run([&] { boj().vyhra(); });
    EXPECT_EQ(pacer.paces(), 5000u) << "a decided fight is not stopped again";
}

TEST_F(Finishing, FinishingRequestRunsAtMostOneSequencePerFight) {
    startFight();
    advanceMs(20000);
    setEnergies("30", "20");
    boj().finishRightVictim = 1;  // a hit while the knock-out picture shows
    advanceMs(20);
    EXPECT_EQ(pacer.paces(), 5000u);
    EXPECT_EQ(fight().pe.caption(), "1");
    boj().finishLeftVictim = 1;
    advanceMs(1000);
    EXPECT_EQ(pacer.paces(), 5000u) << "the fight has had its sequence";
    advanceMs(3000);
    EXPECT_TRUE(game.drzky().visible()) << "4000 ms after the one arming";
}

TEST_F(Finishing, TimeOutAfterAFinishingRequestStillRunsTheCountdownsSequenceOnly) {
    startFight();
    setEnergies("20", "30");
    advanceMs(kTimeOutMs);
    boj().finishRightVictim = 1;  // a hit reaction resumed after the time-out
    advanceMs(100);
    EXPECT_EQ(pacer.paces(), 5000u);
}

struct DecidedCase {
    const char* left;
    const char* right;
    bool routineIsDoraz;
};

class DecidedFight : public Finishing, public ::testing::WithParamInterface<DecidedCase> {};

TEST_P(DecidedFight, FinishingSkipsTheAnimationButArmsTheAfterFightScreen) {
    startFight();
    setEnergies(GetParam().left, GetParam().right);
    run([&] { GetParam().routineIsDoraz ? boj().doraz() : boj().dorazit(); });
    EXPECT_EQ(pacer.paces(), 0u);
    EXPECT_EQ(fight().pe.caption(), "1");
    EXPECT_EQ(fight().Timer3.interval(), 4000);
    EXPECT_EQ(game.drzky().ui().levej.picture(), pictures().levejwin.picture());
    EXPECT_EQ(startsOf(headless.audio, "boj.MMControl1"), 0);
    run([&] { GetParam().routineIsDoraz ? boj().vyhra() : boj().vyhral(); });
    EXPECT_FALSE(fight().hlaska.visible()) << "vyhra and vyhral do nothing";
}

INSTANTIATE_TEST_SUITE_P(Energies, DecidedFight,
                         ::testing::Values(DecidedCase{"30", "-25", true},
                                           DecidedCase{"30", "-25", false},
                                           DecidedCase{"-21", "-30", true}));

}  // namespace
}  // namespace vorkala::testing
