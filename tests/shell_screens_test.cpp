// The title screen, the info screen and the two stores, driven through clicks, keys and the
// virtual clock.
#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

#include "game_fixture.h"
#include "progress/pocitadlo.h"
#include "progress/saved_progress.h"
#include "runtime/keys.h"
#include "runtime/sound_channel.h"
#include "shell/hlaska.h"
#include "shell/module.h"
#include "shell/uvodni.h"

namespace vorkala::testing {
namespace {

using TitleScreen = GameFixture;

TEST_F(TitleScreen, LoadRecordsTheDesktopAndResetsTheRun) {
    headless.display.setDesktop(1152, 864);
    auto& store = game.pocitadlo().ui();
    EXPECT_EQ(store.LehkaL.caption(), "LehkaL") << "the store holds its own names until start";
    game.start();
    EXPECT_EQ(store.sirka.caption(), "1152");
    EXPECT_EQ(store.vyska.caption(), "864");
    for (const vk::Control* label :
         {&store.LehkaL, &store.LehkaP, &store.StredniL, &store.StredniP, &store.TezkaL,
          &store.TezkaP, &store.ObtiznostL, &store.ObtiznostP, &store.Turbol, &store.Turbop})
        EXPECT_EQ(label->caption(), "0") << label->name();
    for (const vk::Control* label : {&store.VyskaL, &store.VyskaP, &store.PESTvzduchL,
                                     &store.PESTvzduchP, &store.KOPvzduchL, &store.KOPvzduchP})
        EXPECT_EQ(label->caption(), label->name()) << "no writer before the fight";
    EXPECT_EQ(store.Zivotyl.caption(), "4");
    EXPECT_EQ(store.energiep.caption(), "50");
    EXPECT_EQ(store.silauderul.caption(), "2");
    ASSERT_EQ(headless.display.changes().size(), 1u);
    EXPECT_EQ(headless.display.changes()[0], std::pair(800, 600));
    EXPECT_TRUE(game.uvodni().visible());
    EXPECT_EQ(game.uvodni().startFlag, 1);
}

TEST_F(TitleScreen, OpensItsChannelsAndStartsTheMenuMusic) {
    game.start();
    EXPECT_EQ(commandsOf(headless.audio, "uvodni.MMControl4"),
              (std::vector<std::string>{"Open", "Play"}));
    EXPECT_EQ(startsOf(headless.audio, "uvodni.MMControl4"), 1);
    for (const char* channel : {"uvodni.MMControl1", "uvodni.MMControl2", "uvodni.MMControl3"})
        EXPECT_EQ(commandsOf(headless.audio, channel), std::vector<std::string>{"Open"});
}

TEST_F(TitleScreen, IntroTimerRepeatsPlayButTheSoundStartsOnce) {
    game.start();
    advanceMs(1000);
    const auto sent = commandsOf(headless.audio, "uvodni.MMControl1");
    EXPECT_GT(std::count(sent.begin(), sent.end(), "play"), 30);
    EXPECT_EQ(startsOf(headless.audio, "uvodni.MMControl1"), 1);
}

struct MarkerCase {
    std::string marker;
    bool firstRunButtonShown;
};

void PrintTo(const MarkerCase& c, std::ostream* os) { *os << "'" << c.marker << "'"; }

class TitleMarker : public GameFixture, public ::testing::WithParamInterface<MarkerCase> {};

TEST_P(TitleMarker, OnlyTheExactMarkerHidesTheFirstRunButton) {
    if (!GetParam().marker.empty())
        headless.settings().set(kAppTitle, kSettingsSection, kMarkerKey, GetParam().marker);
    game.start();
    EXPECT_EQ(game.uvodni().ui().Text1.text(), GetParam().marker);
    EXPECT_EQ(game.uvodni().ui().Image5.visible(), GetParam().firstRunButtonShown);
}

INSTANTIATE_TEST_SUITE_P(Markers, TitleMarker,
                         ::testing::Values(MarkerCase{"", true}, MarkerCase{"podruhe", false},
                                           MarkerCase{"Podruhe", true},
                                           MarkerCase{"podruhe ", true}));

TEST_F(TitleScreen, EndButtonRestoresTheDesktopThenEnds) {
    headless.display.setDesktop(1280, 1024);
    game.start();
    click(game.uvodni().ui().Image2);
    EXPECT_TRUE(runtime.ended());
    ASSERT_EQ(headless.display.changes().size(), 2u);
    EXPECT_EQ(headless.display.changes()[1], std::pair(1280, 1024));
    EXPECT_EQ(commandsOf(headless.audio, "uvodni.MMControl3"),
              (std::vector<std::string>{"Open", "Close", "Open", "Play"}));
    const auto playsBefore = commandsOf(headless.audio, "uvodni.MMControl1").size();
    advanceMs(500);
    EXPECT_EQ(commandsOf(headless.audio, "uvodni.MMControl1").size(), playsBefore)
        << "no timer runs after the end";
}

TEST_F(TitleScreen, EndFromAnUnknownDesktopLeavesTheGameMode) {
    headless.display.setDesktop(1280, 720);
    game.start();
    click(game.uvodni().ui().Image2);
    EXPECT_TRUE(runtime.ended());
    EXPECT_EQ(headless.display.changes().size(), 1u);
}

TEST_F(TitleScreen, LinksOpenWithoutAClick) {
    game.start();
    click(game.uvodni().ui().Image4);
    click(game.uvodni().ui().Image6);
    EXPECT_EQ(headless.links.opened(), (std::vector<std::string>{kMailLink, kWebLink}));
    EXPECT_EQ(commandsOf(headless.audio, "uvodni.MMControl3"), std::vector<std::string>{"Open"});
}

using InfoScreen = GameFixture;

TEST_F(InfoScreen, OpensOverTheRunningTitleAndAnyKeyClosesIt) {
    for (int key : {vk::Key::A, vk::Key::Shift, vk::Key::F2, vk::Key::Escape}) {
        SCOPED_TRACE(key);
        if (!game.uvodni().loaded()) game.start();
        click(game.uvodni().ui().Image3);
        ASSERT_TRUE(game.hlaska().visible());
        EXPECT_EQ(runtime.activeScreen(), &game.hlaska());
        keyDown(key, key == vk::Key::A ? vk::shift::kShift : 0);
        EXPECT_FALSE(game.hlaska().loaded());
        EXPECT_EQ(runtime.activeScreen(), &game.uvodni());
        EXPECT_TRUE(game.uvodni().loaded()) << "the title screen stays behind";
    }
    const auto clicks = commandsOf(headless.audio, "hlaska.MMControl1");
    EXPECT_EQ(std::count(clicks.begin(), clicks.end(), "Play"), 4);
}

TEST_F(InfoScreen, OkButtonPulsesEveryTwoHundredMilliseconds) {
    game.start();
    click(game.uvodni().ui().Image3);
    auto& ok = game.hlaska().ui().Image1;
    EXPECT_EQ(ok.width(), 1455);
    EXPECT_EQ(ok.height(), 915);
    advanceMs(200);
    EXPECT_EQ(ok.width(), 1555);
    EXPECT_EQ(ok.height(), 1015);
    advanceMs(100);
    EXPECT_EQ(ok.width(), 1555) << "keeps its size between ticks";
    advanceMs(100);
    EXPECT_EQ(ok.width(), 1455);
    EXPECT_EQ(game.hlaska().pulse, 0);
}

TEST_F(InfoScreen, PulseCounterSurvivesClosingSoTheNextShowingShrinksFirst) {
    game.start();
    click(game.uvodni().ui().Image3);
    advanceMs(200);
    ASSERT_EQ(game.hlaska().pulse, 1);
    click(game.hlaska().ui().Image1);
    ASSERT_FALSE(game.hlaska().loaded());
    click(game.uvodni().ui().Image3);
    auto& ok = game.hlaska().ui().Image1;
    EXPECT_EQ(ok.width(), 1455) << "design size after a load";
    advanceMs(200);
    EXPECT_EQ(ok.width(), 1455);
    EXPECT_EQ(ok.height(), 915);
    EXPECT_EQ(game.hlaska().pulse, 0);
}

}  // namespace
}  // namespace vorkala::testing
