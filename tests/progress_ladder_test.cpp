// The turbo ladder across fights: lives, the step, struck-off opponents, the energies of
// the next opponent, the video after the first win, the end of the ladder and its resume code.
#include <string>

#include "progress/ladder.h"
#include "progress_fixture.h"
#include "select/code_box.h"
#include "shell/obr.h"

namespace vorkala::testing {
namespace {

std::string pictureOf(const vk::Control& c) {
    return c.picture() ? c.picture()->source() : std::string("(none)");
}

// Every picture of the right roster's tower stands on its rung.
void expectRightTower(ProgressRun& run) {
    const auto& opponents = ladderOpponents(Side::Right);
    for (int rung = 1; rung <= kTowerRungs; ++rung) {
        const vk::Control& picture = rung <= kLadderSteps ? run.ui().portraits[opponents[rung - 1]]
                                                          : run.ui().pravejotaznik1[0];
        const TowerPlace place = towerPlace(Side::Right, rung);
        EXPECT_EQ(picture.left(), place.left) << rung;
        EXPECT_EQ(picture.top(), place.top) << rung;
    }
}

// Beaten opponents struck off and disabled, the step's one enabled, the rest disabled.
void expectRightLadderAt(ProgressRun& run, int step) {
    const auto& opponents = ladderOpponents(Side::Right);
    for (int rung = 1; rung <= kLadderSteps; ++rung) {
        const vk::Control& portrait = run.ui().portraits[opponents[rung - 1]];
        EXPECT_EQ(portrait.enabled(), rung == step) << opponents[rung - 1];
        EXPECT_EQ(pictureOf(portrait) == kStruckOffPicture, rung < step) << opponents[rung - 1];
    }
}

std::vector<vk::ChannelCommand> videoCommands(ProgressRun& run) {
    std::vector<vk::ChannelCommand> out;
    for (const auto& command : run.headless.audio.commands())
        if (command.owner == "vyberpostav.video") out.push_back(command);
    return out;
}

TEST_F(ProgressFixture, TheLeftHumanClimbsTheRightLadderThroughALostAndAWonFight) {
    ProgressRun run(file);
    run.okOnTitle();
    auto& store = run.store();
    run.call("Image10_Click");
    expectRightTower(run);
    expectRightLadderAt(run, 1);
    EXPECT_EQ(run.game.vyberpostav().rightGlideTarget.left, 6000);
    EXPECT_EQ(run.game.vyberpostav().rightGlideTarget.top, 2520);

    // Lost: a life less, the same step, back to 50 energy.
    run.fight("krt", "tb", "20", "40");
    EXPECT_EQ(store.Zivotyl.caption(), "2");
    EXPECT_EQ(store.PCp.caption(), "1");
    EXPECT_EQ(store.Turbol.caption(), "1");
    EXPECT_EQ(store.energiel.caption(), "50");
    EXPECT_EQ(pictureOf(run.ui().Picture1), "\\data\\obr\\2.old");
    EXPECT_TRUE(run.ui().Picture1.visible());
    EXPECT_FALSE(run.ui().Picture2.visible());
    expectRightTower(run);
    expectRightLadderAt(run, 1);
    for (int i = 1; i <= 11; ++i) EXPECT_FALSE(run.ui().pravejotaznik1[i].visible()) << i;
    EXPECT_TRUE(videoCommands(run).empty());

    // Won: the next step, the winner's energy carried over, the first opponent struck off,
    // the second one's energy in the fight screen, the video.
    run.fight("krt", "tb", "37", "12");
    EXPECT_EQ(store.Zivotyl.caption(), "2");
    EXPECT_EQ(store.PCp.caption(), "2");
    EXPECT_EQ(store.energiel.caption(), "37");
    expectRightLadderAt(run, 2);
    EXPECT_TRUE(run.ui().portraits["tb"].visible());
    ASSERT_TRUE(run.game.boj().loaded());
    EXPECT_FALSE(run.game.boj().visible());
    EXPECT_EQ(run.game.boj().ui().ziv2.caption(), "70");
    // The load gives the computer's side back its plain values; the fight keeps 70.
    EXPECT_EQ(store.energiep.caption(), "50");
    EXPECT_EQ(store.silauderul.caption(), "2");
    const auto video = videoCommands(run);
    ASSERT_EQ(video.size(), 4u);  // both layouts of the load: the second changes nothing
    EXPECT_EQ(video[0].command, "Open");
    EXPECT_EQ(video[1].command, "Play");
    EXPECT_EQ(video[0].fileName, run.runtime.appPath() + "\\data\\video\\1.old");
    EXPECT_EQ(video[0].deviceType, "AVIVideo");
    EXPECT_EQ(run.ui().video.displayArea(), &run.ui().Picture3);
    EXPECT_TRUE(run.ui().Picture3.visible());
    const auto playing = run.headless.video.playing();
    ASSERT_EQ(playing.size(), 1u);
    EXPECT_EQ(playing[0].owner, "vyberpostav.video");
    EXPECT_EQ(playing[0].area, "vyberpostav.Picture3");
    EXPECT_EQ(playing[0].file.filename(), "1.old");

    // The fight of step 2: the opponent starts at 70, the human's bar shows its 37.
    run.call("krt_Click");
    run.call("vst_Click");
    run.advanceToFight();
    EXPECT_TRUE(run.headless.video.playing().empty());  // gone with the selection screen
    EXPECT_EQ(run.game.boj().ui().ziv2.caption(), "70");
    EXPECT_EQ(run.game.boj().ui().ziv1.caption(), "37");
    EXPECT_EQ(run.game.boj().ui().Line1.x1(), 5400 - (50 - 37) * 100);
}

// A tie at the time-out is the right fighter's win all through: the finishing sequence,
// the faces and the ladder's life.
TEST_F(ProgressFixture, ATieOnTheLadderIsShownAndCountedAsTheComputersWin) {
    ProgressRun run(file);
    run.okOnTitle();
    run.call("Image10_Click");
    run.call("krt_Click");
    run.call("tb_Click");
    run.advanceToFight();
    run.timeOut("30", "30");
    auto& fight = run.game.boj().ui();
    auto& pictures = run.game.obr().ui();
    EXPECT_EQ(fight.Image1.picture(), pictures.levej[2].picture()) << "the left one lies";
    EXPECT_EQ(fight.Image2.picture(), pictures.pravej[20].picture()) << "the right one won";
    EXPECT_EQ(run.game.drzky().ui().levej.picture(), pictures.levejout.picture());
    EXPECT_EQ(run.game.drzky().ui().pravej.picture(), pictures.pravejwin.picture());
    run.advanceMs(4000);
    run.click(run.game.drzky().ui().Image1);
    EXPECT_EQ(run.store().Zivotyl.caption(), "2");
    EXPECT_EQ(run.store().PCp.caption(), "1");
    EXPECT_EQ(run.store().energiel.caption(), "50");
}

// The opponent of each step from 2 on, as both ladders set it up: its starting energy in
// the store and on the fight screen, and the energy its blows take from the human.
struct LadderStepCase {
    int step;
    const char* energy;
    const char* blow;
};
constexpr LadderStepCase kLadderSteps[] = {{2, "70", "3"},    {3, "90", "4"},    {4, "110", "5"},
                                           {5, "130", "7"},   {6, "150", "8"},   {7, "170", "10"},
                                           {8, "190", "11"},  {9, "210", "13"},  {10, "230", "14"},
                                           {11, "250", "16"}, {12, "275", "18"}, {13, "300", "20"}};

TEST_F(ProgressFixture, EveryLadderStepSetsItsOpponentsEnergyAndBlow) {
    ProgressRun run(file);
    run.okOnTitle();
    auto& store = run.store();
    auto& fight = run.game.boj().ui();
    for (const LadderStepCase& t : kLadderSteps) {
        run.run([&] {
            store.PCp.setCaption(std::to_string(t.step));
            store.PCl.setCaption(std::to_string(t.step));
        });
        run.call("zaplejp");
        EXPECT_EQ(store.energiep.caption(), t.energy) << t.step;
        EXPECT_EQ(fight.ziv2.caption(), t.energy) << t.step;
        EXPECT_EQ(store.silauderul.caption(), t.blow) << t.step;
        run.call("zaplejl");
        EXPECT_EQ(store.energiel.caption(), t.energy) << t.step;
        EXPECT_EQ(fight.ziv1.caption(), t.energy) << t.step;
        EXPECT_EQ(store.silauderup.caption(), t.blow) << t.step;
    }
}

// A won ladder fight carries the winner's energy into the next one, but never less than 1:
// a fight cannot start with nothing.
struct CarryCase {
    const char* left;
    const char* right;
    const char* carried;
};

class LadderCarry : public ProgressFixture, public ::testing::WithParamInterface<CarryCase> {};

TEST_P(LadderCarry, TheWinnersEnergyAtLeastOne) {
    ProgressRun run(file);
    run.okOnTitle();
    run.call("Image10_Click");
    run.fight("krt", "tb", GetParam().left, GetParam().right);
    EXPECT_EQ(run.store().PCp.caption(), "2");
    EXPECT_EQ(run.store().energiel.caption(), GetParam().carried);
}

INSTANTIATE_TEST_SUITE_P(Energies, LadderCarry,
                         ::testing::Values(CarryCase{"37", "12", "37"}, CarryCase{"1", "-2", "1"},
                                           CarryCase{"0.5", "-2", "1"}, CarryCase{"0", "-2", "1"}));

struct LadderEndCase {
    const char* name;
    const char* lives;
    const char* step;
    const char* left;
    const char* right;
    const char* livesAfter;
    const char* stepAfter;
    const char* turboAfter;
    const char* livesPicture;
};

class LadderEnds : public ProgressFixture, public ::testing::WithParamInterface<LadderEndCase> {};

TEST_P(LadderEnds, ByTheLastLifeOrTheLastStep) {
    const LadderEndCase& t = GetParam();
    ProgressRun run(file);
    run.okOnTitle();
    run.call("Image10_Click");
    run.store().Zivotyl.setCaption(t.lives);
    run.store().PCp.setCaption(t.step);
    run.fight("krt", "oxa", t.left, t.right);
    EXPECT_EQ(run.store().Zivotyl.caption(), t.livesAfter);
    EXPECT_EQ(run.store().PCp.caption(), t.stepAfter);
    EXPECT_EQ(run.store().Turbol.caption(), t.turboAfter);
    EXPECT_EQ(pictureOf(run.ui().Picture1), t.livesPicture);
    // Off the ladder: no layout ran, the left side starts at 50 again.
    EXPECT_EQ(run.store().energiel.caption(), "50");
    EXPECT_FALSE(run.ui().Picture1.visible());
    EXPECT_TRUE(run.ui().Image2.visible());
    EXPECT_EQ(run.ui().portraits["oxa"].left(), portraitLeft(*findFighter("oxa")));
}

INSTANTIATE_TEST_SUITE_P(Cases, LadderEnds,
                         ::testing::Values(LadderEndCase{"last_life_lost", "1", "5", "10", "20",
                                                         "0", "5", "0", "\\data\\obr\\mrtev.old"},
                                           LadderEndCase{"last_step_won", "2", "13", "44", "3", "2",
                                                         "14", "0", "\\data\\obr\\2.old"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ProgressFixture, TheResumeCodePutsTheLeftHumanBackAtStepEleven) {
    ProgressRun run(file);
    run.okOnTitle();
    run.run([&] { run.ui().Text1.setText("Zpet do veze"); });  // letter case counts
    EXPECT_EQ(run.store().Turbol.caption(), "0");
    run.run([&] { run.ui().Text1.setText(kLadderResumeCode); });
    auto& store = run.store();
    EXPECT_EQ(store.Zivotyl.caption(), "3");
    EXPECT_EQ(store.Turbol.caption(), "1");
    EXPECT_EQ(store.PCp.caption(), "11");
    // 50 and 200 make 250, which step 11's own energy then writes again.
    EXPECT_EQ(store.energiep.caption(), "250");
    EXPECT_EQ(run.game.boj().ui().ziv2.caption(), "250");
    EXPECT_EQ(store.silauderul.caption(), "16");
    EXPECT_TRUE(run.ui().Tvujkod.visible());
    expectRightTower(run);
    expectRightLadderAt(run, 11);
    EXPECT_TRUE(run.ui().portraits["Robot"].enabled());
    for (auto* c :
         {&run.ui().Image2, &run.ui().Image3, &run.ui().Text2, &run.ui().Text3, &run.ui().Picture2})
        EXPECT_FALSE(c->visible()) << c->name();

    // The secret fighter of step 12 comes out when its turn comes.
    EXPECT_FALSE(run.ui().portraits["rodi"].visible());
    run.fight("krt", "Robot", "40", "30");
    EXPECT_EQ(store.PCp.caption(), "12");
    EXPECT_TRUE(run.ui().portraits["rodi"].visible());
    EXPECT_TRUE(run.ui().portraits["rodi"].enabled());
}

// A pick made while the ladder glides lets the glide go on from step 102.
TEST_F(ProgressFixture, APickDuringALadderGlideMovesTheGlideOn) {
    ProgressRun run(file);
    run.okOnTitle();
    auto& screen = run.game.vyberpostav();
    bool picked = false;
    int stepAfterPick = 0;
    run.headless.clock.set(run.runtime.now());
    run.ui().Timer9.onTimer = [&] {
        if (picked) return;
        picked = true;
        screen.pick(*findFighter("krt"));
        stepAfterPick = screen.glideStep;
    };
    run.call("Image10_Click");
    EXPECT_TRUE(picked);
    EXPECT_EQ(stepAfterPick, 101);
    EXPECT_EQ(run.ui().Label2.caption(), "1");
    expectRightTower(run);
}

}  // namespace
}  // namespace vorkala::testing
