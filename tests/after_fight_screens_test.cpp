// The after-fight, loading and end screens, the fight music, the quit button and links,
// and a whole fight from the stores to the end of the program.
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "fight/drzky.h"
#include "fight_fixture.h"
#include "runtime/keys.h"
#include "shell/konecna.h"
#include "shell/module.h"
#include "shell/nacitani.h"

namespace vorkala::testing {
namespace {

using AfterFight = FightFixture;

struct FaceCase {
    const char* left;
    const char* right;
    bool leftWins;
};

class AfterFightFaces : public FightFixture, public ::testing::WithParamInterface<FaceCase> {};

TEST_P(AfterFightFaces, LoadComparesTheEnergiesAsNumbers) {
    startFight();
    game.drzky().unload();
    setEnergies(GetParam().left, GetParam().right);
    run([&] { game.drzky().load(); });
    auto& faces = game.drzky().ui();
    EXPECT_EQ(faces.levej.picture(),
              (GetParam().leftWins ? pictures().levejwin : pictures().levejout).picture());
    EXPECT_EQ(faces.pravej.picture(),
              (GetParam().leftWins ? pictures().pravejout : pictures().pravejwin).picture());
}

INSTANTIATE_TEST_SUITE_P(Energies, AfterFightFaces,
                         ::testing::Values(FaceCase{"9", "10", false}, FaceCase{"100", "25", true},
                                           FaceCase{"50", "50", false}, FaceCase{"10", "9", true}));

TEST_F(AfterFight, LoadingTheAfterFightScreenFirstLoadsTheFightScreen) {
    fillStores("70", "50");
    run([&] { game.drzky().ui().prav.setCaption("Prav"); });
    EXPECT_TRUE(game.boj().loaded());
    EXPECT_EQ(game.drzky().ui().levej.picture(), pictures().levejwin.picture());
    EXPECT_EQ(commandsOf(headless.audio, "drzky.MMControl1"), std::vector<std::string>{"Open"});
}

struct DropCase {
    const char* screen;
    const char* shape;
    float step;
};

class Drops : public FightFixture, public ::testing::WithParamInterface<DropCase> {};

// A drop that passes 9000 is back at the top within the same tick; one that lands on
// 9000 exactly stays there until the next tick.
TEST_P(Drops, WrapOnlyPastTheBottom) {
    const DropCase& d = GetParam();
    vk::Screen& screen = *runtime.findScreen(d.screen);
    run([&] { screen.show(); });
    vk::Control& drop = *screen.controls().find(d.shape);
    drop.setTop(9000 - d.step);
    advanceMs(100);
    EXPECT_EQ(drop.top(), 9000);
    advanceMs(100);
    EXPECT_EQ(drop.top(), 0);
    drop.setTop(9001 - d.step);
    advanceMs(100);
    EXPECT_EQ(drop.top(), 0);
    advanceMs(100);
    EXPECT_EQ(drop.top(), d.step);
}

INSTANTIATE_TEST_SUITE_P(
    Screens, Drops,
    ::testing::Values(DropCase{.screen = "drzky", .shape = "Shape2", .step = 100},
                      DropCase{.screen = "nacitani", .shape = "Shape4", .step = 150},
                      DropCase{.screen = "konecna", .shape = "Shape5", .step = 250}));

TEST_F(AfterFight, LoadingScreenDiscStaysAndTheBarGrowsByOneStep) {
    run([&] { game.drzky().AdvanceLoadingBar(); });
    auto& loading = game.nacitani().ui();
    EXPECT_EQ(loading.lista.width(), 475) << "loaded at 375 by the call";
    run([&] { game.drzky().AdvanceLoadingBar(); });
    EXPECT_EQ(loading.lista.width(), 575);
    advanceMs(1000);
    EXPECT_EQ(loading.Shape6.top(), 4080);
    EXPECT_EQ(loading.Shape2.top(), 5320);
}

TEST_F(AfterFight, EndButtonShowsTheEndScreenAndUnloadsTheFight) {
    startFight();
    run([&] { game.drzky().show(); });
    click(game.drzky().ui().Image2);
    EXPECT_TRUE(game.konecna().visible());
    EXPECT_FALSE(game.drzky().loaded());
    EXPECT_FALSE(game.boj().loaded());
    EXPECT_EQ(commandsOf(headless.audio, "drzky.MMControl1"),
              (std::vector<std::string>{"Open", "Close", "Open", "Play"}));
    EXPECT_EQ(commandsOf(headless.audio, "konecna.MMControl2"),
              (std::vector<std::string>{"Open", "Play"}));
}

// ---- end screen

class EndScreen : public FightFixture {
  protected:
    EndScreen() {
        run([&] { game.konecna().show(); });
    }
};

TEST_F(EndScreen, CharacterKeysEndTheProgramWithTheDesktopRestored) {
    for (int key : {vk::Key::Shift, vk::Key::Left, vk::Key::Up, vk::Key::F1, vk::Key::F12}) {
        press(key);
    }
    EXPECT_FALSE(runtime.ended());
    post(vk::KeyPressEvent{'\r'});
    EXPECT_TRUE(runtime.ended());
    EXPECT_EQ(headless.display.changes().back(), std::pair(1024, 768));
    EXPECT_EQ(commandsOf(headless.audio, "konecna.MMControl1"),
              (std::vector<std::string>{"Open", "Close", "Open", "Play"}));
}

class EndScreenKeys : public EndScreen, public ::testing::WithParamInterface<char> {};

TEST_P(EndScreenKeys, AnyCharacterEnds) {
    post(vk::KeyPressEvent{GetParam()});
    EXPECT_TRUE(runtime.ended());
}

INSTANTIATE_TEST_SUITE_P(EnterEscapeSpaceLetter, EndScreenKeys,
                         ::testing::Values('\r', '\x1b', ' ', 'a'));

TEST_F(EndScreen, WaitingKeyIsHandledBeforeTheDropsMove) {
    const float top = game.konecna().ui().Shape2.top();
    headless.input.post(vk::KeyPressEvent{'q'});
    advanceMs(100);
    EXPECT_TRUE(runtime.ended());
    EXPECT_EQ(game.konecna().ui().Shape2.top(), top);
}

TEST_F(EndScreen, OkButtonEndsTheProgram) {
    click(game.konecna().ui().Image1);
    EXPECT_TRUE(runtime.ended());
    EXPECT_EQ(headless.display.changes().size(), 2u);
}

// ---- fight music and quit

using FightMusic = FightFixture;

TEST_F(FightMusic, OneTrackStartsBySelfASecondAfterTheLoad) {
    for (double startOfDay : {1000.0, 2345.6, 40000.0, 61234.5, 86000.0}) {
        SCOPED_TRACE(startOfDay);
        headless.clock.setStartOfDay(startOfDay);
        const std::size_t before = headless.audio.music().size();
        startFight();
        advanceMs(999);
        EXPECT_EQ(headless.audio.music().size(), before);
        advanceMs(1);
        ASSERT_EQ(headless.audio.music().size(), before + 1);
        const auto& request = headless.audio.music().back();
        const int track = static_cast<int>(boj().musicTrack);
        ASSERT_GE(track, 1);
        ASSERT_LE(track, 10);
        char file[32];
        std::snprintf(file, sizeof file, "\\data\\hudba\\%02d.mp3", track);
        EXPECT_EQ(fight().WindowsMediaPlayer1.url(), runtime.appPath() + file);
        EXPECT_EQ(request.owner, "boj.WindowsMediaPlayer1");
        EXPECT_EQ(request.playCount, 2);
        EXPECT_EQ(request.volumePercent, 50);
        EXPECT_FALSE(fight().WindowsMediaPlayer1.visible());
        EXPECT_FALSE(fight().Timer9.enabled());
        advanceMs(5000);
        EXPECT_EQ(headless.audio.music().size(), before + 1) << "drawn once per fight";
        boj().unload();
    }
}

TEST_F(FightMusic, QuitEndsAtOnceWithoutTheAfterFightScreenOrSaving) {
    startFight();
    run([&] { boj().show(); });
    advanceMs(10000);
    click(fight().Image14);
    EXPECT_TRUE(runtime.ended());
    EXPECT_FALSE(game.drzky().visible());
    EXPECT_EQ(headless.display.changes().back(), std::pair(1024, 768))
        << "the desktop recorded at start";
    EXPECT_EQ(commandsOf(headless.audio, "boj.MMControl3"),
              (std::vector<std::string>{"Open", "Close", "Open", "Play"}));
    EXPECT_EQ(headless.settings().get(kAppTitle, "hraci", "pocitadlo.LehkaL"), "");
}

// ---- a whole fight

TEST_F(AfterFight, FightFromTheStoresToTheEndOfTheProgram) {
    startFight("50", "50");
    setEnergies("9", "10");
    run([&] { boj().show(); });
    advanceMs(5000);
    EXPECT_TRUE(fight().prvni.enabled());
    advanceMs(60000 + 5000 + 4000);
    ASSERT_TRUE(game.drzky().visible());
    EXPECT_EQ(game.drzky().ui().pravej.picture(), pictures().pravejwin.picture());
    EXPECT_EQ(game.drzky().ui().levej.picture(), pictures().levejout.picture());
    auto& end = game.drzky().ui().Image2;
    click(end);
    ASSERT_TRUE(game.konecna().visible());
    post(vk::KeyPressEvent{'x'});
    EXPECT_TRUE(runtime.ended());
}

}  // namespace
}  // namespace vorkala::testing
