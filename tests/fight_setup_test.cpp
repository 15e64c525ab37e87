// The fight screen's load routine, its error box, the round start and the countdown,
// driven on the virtual clock with the stores filled as the picks fill them.
#include <algorithm>
#include <string>
#include <vector>

#include "fight/statement_runner.h"
#include "fight_fixture.h"
#include "shell/module.h"

namespace vorkala::testing {
namespace {

using FightSetup = FightFixture;

TEST_F(FightSetup, LoadPreparesBothFightersFromTheStores) {
    fillStores("60", "100");
    run([&] {
        for (vk::Control* zone :
             {&pictures().Label1, &pictures().Label2, &pictures().Label3, &pictures().Label4})
            zone->setCaption("7");
    });
    loadFight();
    auto& c = fight();
    EXPECT_EQ(c.ziv1.caption(), "60");
    EXPECT_EQ(c.ziv2.caption(), "100");
    EXPECT_EQ(boj().leftBarStep, 167) << "2 / 60 x 5000";
    EXPECT_EQ(boj().rightBarStep, 100);
    EXPECT_EQ(c.Label2.caption(), "167");
    EXPECT_EQ(c.prvni.picture(), pictures().levej[0].picture()) << "the same picture object";
    EXPECT_EQ(c.druhej.picture(), pictures().pravej[0].picture());
    EXPECT_TRUE(c.prvni.visible());
    EXPECT_FALSE(c.prvni.enabled());
    EXPECT_FALSE(c.druhej.enabled());
    EXPECT_FALSE(c.hlaska.visible());
    EXPECT_TRUE(c.Image3.visible());
    EXPECT_EQ(c.pe.caption(), "0");
    for (const vk::Control* zone :
         {&pictures().Label1, &pictures().Label2, &pictures().Label3, &pictures().Label4})
        EXPECT_EQ(zone->caption(), "0");
    EXPECT_EQ(c.Timer6.interval(), 5000);
    EXPECT_EQ(boj().cekal, 1);
    EXPECT_EQ(boj().cekap, 1);
    EXPECT_EQ(boj().roundBannerUp, 1);
    EXPECT_EQ(boj().secondsLeft, 60);
    EXPECT_EQ(c.Image1.top(), 4320);
    EXPECT_EQ(c.Image2.top(), 4320);
    EXPECT_EQ(c.odpocet.caption(), "61");
    EXPECT_FALSE(boj().visible()) << "loaded hidden behind the selection screen";
}

TEST_F(FightSetup, GroundLinesStayAtTheDesignTopWhateverThePicksDoLater) {
    startFight();
    fight().prvni.setTop(3000);  // a pick setting the sprite's height after the load
    fight().druhej.setTop(3500);
    EXPECT_EQ(store().VyskaL.caption(), "4320");
    EXPECT_EQ(store().VyskaP.caption(), "4320");
}

TEST_F(FightSetup, StateTheLoadDoesNotResetCarriesOverToTheNextFight) {
    startFight();
    boj().akcel = HeldAction::HighPunch;
    boj().skokp = 1;
    boj().kickCounter = 5;
    boj().punchCounter = 9;
    boj().finishLeftVictim = 1;
    boj().unload();
    loadFight();
    EXPECT_EQ(boj().akcel, HeldAction::HighPunch);
    EXPECT_EQ(boj().skokp, 1);
    EXPECT_EQ(boj().kickCounter, 5);
    EXPECT_EQ(boj().punchCounter, 0);
    EXPECT_EQ(boj().finishLeftVictim, 0);
}

// Each side's flag, ladder step and energy on its own. The left bar follows the left
// human's ladder: Turbol = 1 and its step PCp past 1 make Line1.X1 5400 - (50 - energiel)
// x 100. The right bar mirrors it with Turbop, PCl and energiep: 6600 + (50 - energiep) x 100.
struct TurboBarCase {
    const char *turbol, *pcp, *energiel;
    const char *turbop, *pcl, *energiep;
    float leftEnd, rightEnd;
};

class TurboBars : public FightFixture, public ::testing::WithParamInterface<TurboBarCase> {};

TEST_P(TurboBars, BarLengthFollowsTheEnergyPastTheLaddersFirstStep) {
    const TurboBarCase& t = GetParam();
    fillStores(t.energiel, t.energiep);
    run([&] {
        store().Turbol.setCaption(t.turbol);
        store().PCp.setCaption(t.pcp);
        store().Turbop.setCaption(t.turbop);
        store().PCl.setCaption(t.pcl);
    });
    loadFight();
    EXPECT_EQ(fight().Line1.x1(), t.leftEnd);
    EXPECT_EQ(fight().Line2.x1(), t.rightEnd);
    EXPECT_EQ(fight().Line1.x2(), 400);
    EXPECT_EQ(fight().Line2.x2(), 11600);
}

INSTANTIATE_TEST_SUITE_P(
    Ladder, TurboBars,
    ::testing::Values(
        // The left human alone, its step and energy apart from the right side's.
        TurboBarCase{"1", "3", "30", "0", "0", "80", 3400, 6600},
        TurboBarCase{"1", "2", "80", "0", "5", "30", 8400, 6600},
        TurboBarCase{"1", "1", "30", "0", "3", "30", 5400, 6600},
        TurboBarCase{"1", "2", "50", "0", "0", "10", 5400, 6600},
        // The right human alone.
        TurboBarCase{"0", "0", "30", "1", "3", "20", 5400, 9600},
        TurboBarCase{"0", "4", "30", "1", "2", "70", 5400, 4600},
        TurboBarCase{"0", "3", "30", "1", "1", "20", 5400, 6600},
        // Both humans on their ladders, each with its own step and energy.
        TurboBarCase{"1", "2", "70", "1", "6", "20", 7400, 9600},
        // Flags that do not read exactly 1 leave the bars.
        TurboBarCase{"0", "5", "30", "0", "5", "30", 5400, 6600},
        TurboBarCase{"2", "5", "30", "2", "5", "30", 5400, 6600}));

struct BarStepCase {
    const char* strength;
    const char* energy;
    std::int16_t step;
};

class BarSteps : public FightFixture, public ::testing::WithParamInterface<BarStepCase> {};

TEST_P(BarSteps, StepIsRoundedHalvesToEven) {
    fillStores(GetParam().energy, "50");
    run([&] { store().silauderul.setCaption(GetParam().strength); });
    loadFight();
    EXPECT_EQ(boj().leftBarStep, GetParam().step);
    EXPECT_EQ(fight().Label2.caption(), std::to_string(GetParam().step));
    EXPECT_TRUE(headless.messages.shown().empty());
}

INSTANTIATE_TEST_SUITE_P(Rounding, BarSteps,
                         ::testing::Values(BarStepCase{"2", "50", 200}, BarStepCase{"3", "70", 214},
                                           BarStepCase{"1", "400", 12}, BarStepCase{"3", "400", 38},
                                           BarStepCase{"10", "100", 500},
                                           BarStepCase{"2", "-25", -400}));

// ---- the load routine's error box

const std::string kDivisionPrompt =
    "Please mail to: fight@vorkala.example. Error 11: Division by zero\n\n\t\tError in line "
    "number 29\nin Vorkala: boj_FormLoad";

TEST_F(FightSetup, ZeroEnergyShowsTheErrorBoxAndIgnoreGoesOn) {
    headless.messages.queueAnswer(vk::MessageAnswer::Ignore);
    startFight("0", "50");
    ASSERT_EQ(headless.messages.shown().size(), 1u);
    const auto& box = headless.messages.shown()[0];
    EXPECT_EQ(box.title, "Vorkala Error message");
    EXPECT_EQ(box.text, kDivisionPrompt);
    EXPECT_EQ(box.buttons, vk::MessageButtons::AbortRetryIgnore);
    EXPECT_EQ(box.icon, vk::MessageIcon::Exclamation);
    EXPECT_EQ(boj().rightBarStep, 200) << "the next statement ran";
    EXPECT_EQ(fight().Label2.caption(), "0") << "the left step kept its old value";
    EXPECT_EQ(boj().secondsLeft, 60) << "the rest of the routine ran";
    EXPECT_EQ(headless.display.changes().size(), 1u) << "no restore on Ignore";
    EXPECT_FALSE(runtime.ended());
}

TEST_F(FightSetup, RetryRunsTheFailingStatementAgain) {
    headless.messages.queueAnswer(vk::MessageAnswer::Retry);
    headless.messages.queueAnswer(vk::MessageAnswer::Retry);
    headless.messages.queueAnswer(vk::MessageAnswer::Ignore);
    startFight("0", "50");
    ASSERT_EQ(headless.messages.shown().size(), 3u);
    for (const auto& box : headless.messages.shown()) EXPECT_EQ(box.text, kDivisionPrompt);
    EXPECT_EQ(boj().secondsLeft, 60);
}

TEST_F(FightSetup, AbortRestoresTheDesktopAndEndsOnlyTheLoadRoutine) {
    headless.messages.queueAnswer(vk::MessageAnswer::Abort);
    startFight("0", "50");
    ASSERT_EQ(headless.messages.shown().size(), 1u);
    ASSERT_EQ(headless.display.changes().size(), 2u);
    EXPECT_EQ(headless.display.changes()[1], std::pair(1024, 768));
    EXPECT_EQ(fight().ziv1.caption(), "0") << "set up as far as the failing statement";
    EXPECT_EQ(fight().Label2.caption(), "Label2");
    EXPECT_EQ(fight().Timer6.interval(), 0) << "the round start was never armed";
    EXPECT_FALSE(runtime.ended());
    EXPECT_TRUE(boj().loaded());
}

TEST_F(FightSetup, TextThatIsNotANumberNamesTheFirstLine) {
    headless.messages.queueAnswer(vk::MessageAnswer::Ignore);
    fillStores();
    run([&] { store().PCp.setCaption("x"); });
    loadFight();
    ASSERT_EQ(headless.messages.shown().size(), 1u);
    EXPECT_EQ(headless.messages.shown()[0].text,
              "Please mail to: fight@vorkala.example. Error 13: Type mismatch\n\n\t\tError in "
              "line number 1\nin Vorkala: boj_FormLoad");
    EXPECT_EQ(fight().Line1.x1(), 5400);
}

struct RunnerCase {
    std::vector<int> failures;  // how many times each statement fails before it works
    std::vector<AfterError> answers;
    std::vector<int> expectedRuns;  // the statements' lines in the order they ran
    bool completes;
};

class StatementRunner : public ::testing::TestWithParam<RunnerCase> {};

TEST_P(StatementRunner, FollowsTheHandlersAnswers) {
    const RunnerCase& t = GetParam();
    std::vector<int> runs, asked;
    std::vector<int> failuresLeft = t.failures;
    std::vector<NumberedStatement> statements;
    for (int i = 0; i < static_cast<int>(t.failures.size()); ++i)
        statements.push_back({10 * (i + 1), [&, i] {
                                  runs.push_back(10 * (i + 1));
                                  if (failuresLeft[i]-- > 0) vk::raise(vk::ErrorNumber::Overflow);
                              }});
    std::size_t answer = 0;
    const bool completed = runStatements(statements, [&](const vk::RuntimeError& e, int line) {
        EXPECT_EQ(e.number(), vk::ErrorNumber::Overflow);
        asked.push_back(line);
        return t.answers.at(answer++);
    });
    EXPECT_EQ(runs, t.expectedRuns);
    EXPECT_EQ(completed, t.completes);
    EXPECT_EQ(answer, t.answers.size());
}

INSTANTIATE_TEST_SUITE_P(
    Answers, StatementRunner,
    ::testing::Values(
        RunnerCase{{0, 0, 0}, {}, {10, 20, 30}, true},
        RunnerCase{{0, 1, 0}, {AfterError::Next}, {10, 20, 30}, true},
        RunnerCase{{0, 2, 0}, {AfterError::Retry, AfterError::Retry}, {10, 20, 20, 20, 30}, true},
        RunnerCase{{1, 0, 0}, {AfterError::Abort}, {10}, false}));

// ---- round start and countdown

TEST_F(FightSetup, RoundStartsFiveSecondsAfterTheLoad) {
    startFight();
    advanceMs(4999);
    EXPECT_TRUE(fight().Image3.visible());
    EXPECT_FALSE(fight().prvni.enabled());
    advanceMs(1);
    EXPECT_FALSE(fight().Image3.visible());
    EXPECT_TRUE(fight().prvni.enabled());
    EXPECT_TRUE(fight().druhej.enabled());
    EXPECT_EQ(fight().Timer14.interval(), 1000);
    EXPECT_FALSE(fight().Timer6.enabled());
    advanceMs(999);
    EXPECT_EQ(fight().odpocet.caption(), "61");
    advanceMs(1);
    EXPECT_EQ(fight().odpocet.caption(), "59");
}

TEST_F(FightSetup, DifficultyDelayRewritesTheRoundStart) {
    startFight();
    advanceMs(1000);
    fight().Timer6.setInterval(2500);
    advanceMs(2499);
    EXPECT_FALSE(fight().prvni.enabled());
    advanceMs(1);
    EXPECT_TRUE(fight().prvni.enabled());
}

struct RoundStartStepCase {
    const char* leftEnergy;
    const char* rightEnergy;
    std::int16_t left, right;
};

class RoundStartSteps : public FightFixture,
                        public ::testing::WithParamInterface<RoundStartStepCase> {};

// Energies written after the load: nothing to divide by, or a step beyond the 16-bit
// range, leave a whole-bar step and the fight running.
TEST_P(RoundStartSteps, RecomputedWithoutAnError) {
    startFight();
    fight().ziv1.setCaption(GetParam().leftEnergy);
    fight().ziv2.setCaption(GetParam().rightEnergy);
    advanceMs(6000);
    EXPECT_EQ(boj().leftBarStep, GetParam().left);
    EXPECT_EQ(boj().rightBarStep, GetParam().right);
    EXPECT_EQ(fight().odpocet.caption(), "59") << "the countdown runs";
    EXPECT_TRUE(headless.messages.shown().empty());
    EXPECT_FALSE(runtime.ended());
}

INSTANTIATE_TEST_SUITE_P(Energies, RoundStartSteps,
                         ::testing::Values(RoundStartStepCase{"100", "50", 100, 200},
                                           RoundStartStepCase{"0", "50", 5000, 200},
                                           RoundStartStepCase{"50", "0.1", 200, 5000},
                                           RoundStartStepCase{"0.3", "-0.3", 5000, 5000},
                                           RoundStartStepCase{"-25", "50", -400, 200}));

TEST_F(FightSetup, CountdownColoursAndTheTickBelowTenSeconds) {
    startFight();
    setEnergies("40", "30");
    struct Sample {
        long atMs;
        const char* shows;
        vk::Colour colour;
        long ticks;
    };
    // The round starts at 5000 ms and the countdown shows 59 a second later.
    for (const Sample& s :
         {Sample{35000, "30", fight_colours::kGreen, 0},
          Sample{36000, "29", fight_colours::kYellow, 0},
          Sample{54000, "11", fight_colours::kYellow, 0},
          Sample{55000, "10", fight_colours::kYellow, 0},
          Sample{56000, "9", fight_colours::kRed, 1}, Sample{63000, "2", fight_colours::kRed, 8}}) {
        advanceMs(s.atMs - nowMs());
        EXPECT_EQ(fight().odpocet.caption(), s.shows) << s.atMs;
        EXPECT_EQ(fight().odpocet.foreColor(), s.colour) << s.atMs;
        EXPECT_EQ(startsOf(headless.audio, "boj.MMControl19"), s.ticks) << s.atMs;
    }
    advanceMs(2000);
    EXPECT_EQ(fight().odpocet.caption(), "0");
    EXPECT_EQ(fight().odpocet.foreColor(), fight_colours::kDarkGrey);
    EXPECT_EQ(startsOf(headless.audio, "boj.MMControl19"), 10) << "9, 8, ..., 1 and 0";
    EXPECT_EQ(fight().Timer14.interval(), 0);
    EXPECT_FALSE(fight().Timer14.enabled());
    const auto lastTick =
        std::find_if(headless.audio.commands().rbegin(), headless.audio.commands().rend(),
                     [](const auto& c) { return c.owner == "boj.MMControl19"; });
    EXPECT_EQ(lastTick->command, "play") << "sent as close, Open, play";
    advanceMs(5000);
    EXPECT_EQ(fight().odpocet.caption(), "0");
}

}  // namespace
}  // namespace vorkala::testing
