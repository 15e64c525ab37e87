// The unlock rewards of the stage counters, the code box with its codes and prompt blink,
// and the high-score row that the name entry fills.
#include <set>
#include <string>

#include "progress/rewards.h"
#include "progress/saved_progress.h"
#include "select/code_box.h"
#include "select_fixture.h"

namespace vorkala::testing {
namespace {

using S = PocitadloControls;
using C = VyberpostavControls;

class Rewards : public SelectionFixture {
  protected:
    // The selection screen loaded again over the store as it stands.
    void reload() {
        game.vyberpostav().unload();
        loadSelection();
    }
    std::set<int> coversDown(Side side) {
        std::set<int> down;
        for (int i = 0; i <= 11; ++i)
            if (!ui().covers(side)[i].visible()) down.insert(i);
        return down;
    }
    std::string saved(const std::string& key) {
        return headless.platform().settings.get("Vorkala", "hraci", key);
    }
};

struct RewardCase {
    const char* name;
    vk::Control S::*counter;
    const char* value;
    const char* clamped = nullptr;  // nullptr: the value stays as set
    Side roster = Side::Left;
    std::set<int> covers = {};
    const char* code = nullptr;  // nullptr: the label keeps its design caption
    vk::Control C::*turboButton = nullptr;
    vk::Control C::*turboLives = nullptr;
};

class StageRewards : public Rewards, public ::testing::WithParamInterface<RewardCase> {};

TEST_P(StageRewards, RevealTheirRostersFightersAndWriteTheirCode) {
    const RewardCase& t = GetParam();
    startSelection();
    (store().*t.counter).setCaption(t.value);
    reload();
    EXPECT_EQ((store().*t.counter).caption(), t.clamped ? t.clamped : t.value);
    EXPECT_EQ(coversDown(t.roster), t.covers);
    EXPECT_TRUE(coversDown(t.roster == Side::Left ? Side::Right : Side::Left).empty());
    EXPECT_EQ(ui().Tvujkod.caption(), t.code ? t.code : "your code!!!");
    EXPECT_FALSE(ui().Tvujkod.visible());
    EXPECT_EQ(ui().portraits["tk"].visible(), t.covers.count(0) == 1);
    EXPECT_FALSE(ui().portraits["rodi"].visible());
    for (auto [button, lives] :
         {std::pair{&C::Image10, &C::Picture1}, {&C::Image11, &C::Picture2}}) {
        EXPECT_EQ((ui().*button).visible(), button == t.turboButton);
        EXPECT_EQ((ui().*lives).visible(), lives == t.turboLives);
    }
    // Every counter is saved as it stands after the clamp.
    for (auto [label, key] : stageCounters(store())) EXPECT_EQ(saved(key), label->caption()) << key;
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Counters, StageRewards, ::testing::Values(
    RewardCase{.name = "none", .counter = &S::LehkaL, .value = "0"},
    RewardCase{.name = "left_easy_2", .counter = &S::LehkaL, .value = "2", .covers = {1, 2}, .code = "mravenec"},
    RewardCase{.name = "right_easy_over", .counter = &S::LehkaP, .value = "7", .clamped = "3", .roster = Side::Right, .covers = {1, 2, 3}, .code = "jasan"},
    RewardCase{.name = "left_medium_1", .counter = &S::StredniL, .value = "1", .covers = {4}, .code = "vlk"},
    RewardCase{.name = "right_medium_3", .counter = &S::StredniP, .value = "3", .roster = Side::Right, .covers = {4, 5, 6}, .code = "sopka"},
    RewardCase{.name = "left_hard_5", .counter = &S::TezkaL, .value = "5", .covers = {7, 8, 9, 10, 11}, .code = "kondor"},
    RewardCase{.name = "left_hard_over", .counter = &S::TezkaL, .value = "9", .clamped = "6", .covers = {0, 7, 8, 9, 10, 11}, .code = "drak", .turboButton = &C::Image11, .turboLives = &C::Picture2},
    RewardCase{.name = "right_hard_4", .counter = &S::TezkaP, .value = "4", .roster = Side::Right, .covers = {7, 8, 9, 10}, .code = "vichr"},
    RewardCase{.name = "right_hard_5", .counter = &S::TezkaP, .value = "5", .roster = Side::Right, .covers = {7, 8, 9, 10, 11}, .code = "tornado", .turboButton = &C::Image10, .turboLives = &C::Picture1},
    // Counters damaged in the settings arrive as text that is not a number.
    RewardCase{.name = "empty_text", .counter = &S::TezkaL, .value = "", .clamped = "0"},
    RewardCase{.name = "not_a_number", .counter = &S::LehkaP, .value = "tri", .clamped = "0", .roster = Side::Right},
    RewardCase{.name = "fraction", .counter = &S::StredniP, .value = "2.5", .roster = Side::Right, .covers = {4, 5}, .code = "hora"}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

TEST_F(Rewards, TheLastStageInOrderWritesTheCode) {
    startSelection();
    store().TezkaL.setCaption("1");
    store().LehkaP.setCaption("2");
    store().StredniL.setCaption("3");
    reload();
    EXPECT_EQ(ui().Tvujkod.caption(), "orel");
    EXPECT_EQ(coversDown(Side::Left), (std::set<int>{4, 5, 6, 7}));
    EXPECT_EQ(coversDown(Side::Right), (std::set<int>{1, 2}));
}

// ---- the code box

TEST_F(Rewards, EveryRewardCodeRevealsWhatItsStageRevealed) {
    startSelection();
    for (const StageReward& reward : stageRewards())
        for (int count = 1; count <= reward.maximum; ++count) {
            (store().*reward.counter).setCaption(std::to_string(count));
            reload();
            const auto byCounter = coversDown(reward.roster);
            const bool tk = ui().portraits["tk"].visible();
            for (auto [label, key] : stageCounters(store())) label->setCaption("0");
            reload();
            ASSERT_TRUE(coversDown(reward.roster).empty());
            call("Text1_Click");
            ui().Text1.setText(reward.codes[static_cast<std::size_t>(count) - 1]);
            EXPECT_EQ(coversDown(reward.roster), byCounter) << ui().Text1.text();
            EXPECT_EQ(ui().portraits["tk"].visible(), tk) << ui().Text1.text();
            EXPECT_EQ((store().*reward.counter).caption(), "0");
        }
}

struct CodeCase {
    const char* name;
    std::string text;
    std::vector<vk::Control C::*> shown;
};

class Codes : public Rewards, public ::testing::WithParamInterface<CodeCase> {};

TEST_P(Codes, ShowTheirControlsAndNothingElse) {
    const CodeCase& t = GetParam();
    startSelection();
    ui().Text1.setText(t.text);
    for (vk::Control C::*c : {&C::Image10, &C::Picture1, &C::Image11, &C::Picture2, &C::VYM}) {
        const bool wanted = std::find(t.shown.begin(), t.shown.end(), c) != t.shown.end();
        EXPECT_EQ((ui().*c).visible(), wanted) << (ui().*c).name();
    }
    EXPECT_TRUE(coversDown(Side::Left).empty());
    EXPECT_TRUE(coversDown(Side::Right).empty());
    EXPECT_EQ(store().Turbol.caption(), "0");
}

INSTANTIATE_TEST_SUITE_P(
    Texts, Codes,
    ::testing::Values(CodeCase{"left_turbo", kLeftTurboCode, {&C::Image10, &C::Picture1}},
                      CodeCase{"right_turbo", kRightTurboCode, {&C::Image11, &C::Picture2}},
                      CodeCase{"delete_button", kDeleteButtonCode, {&C::VYM}},
                      CodeCase{"wrong_case", "Turbo levak", {}},
                      CodeCase{"with_a_blank", "lipa ", {}},
                      CodeCase{"turbo_prompt", "  T U R B O   M O D", {}},
                      CodeCase{"czech_prompt", kCzechCodePrompt, {}},
                      CodeCase{"english_prompt", kEnglishCodePrompt, {}},
                      CodeCase{"name_prompt", "write your name here!", {}},
                      CodeCase{"code_prompt", "your code?", {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Rewards, TheSecretNameShowsTheRightSecretFighterForGood) {
    startSelection();
    ui().Text1.setText("rodimir kestl");
    EXPECT_FALSE(ui().portraits["rodi"].visible());
    EXPECT_TRUE(ui().pravejotaznik1[0].visible());
    ui().Text1.setText(kSecretFighterCode);
    EXPECT_TRUE(ui().portraits["rodi"].visible());
    EXPECT_FALSE(ui().pravejotaznik1[0].visible());
    // Whatever is typed next, with the fighter out its cover stays away.
    ui().pravejotaznik1[0].setVisible(true);
    ui().Text1.setText("x");
    EXPECT_FALSE(ui().pravejotaznik1[0].visible());
}

TEST_F(Rewards, ThePromptBlinksUntilTheCodeBoxIsClicked) {
    startSelection();
    struct Tick {
        long at;
        const char* text;
        vk::Colour back, fore;
    };
    const Tick ticks[] = {
        {1000, "your code?", 0xC000C0, 0},          {2000, kCzechCodePrompt, 0xC000C0, 0x40},
        {3000, kEnglishCodePrompt, 0x40, 0xC000C0}, {4000, kCzechCodePrompt, 0xC000C0, 0x40},
        {5000, kEnglishCodePrompt, 0x40, 0xC000C0},
    };
    for (const Tick& tick : ticks) {
        advanceToMs(tick.at);
        EXPECT_EQ(ui().Text1.text(), tick.text) << tick.at;
        EXPECT_EQ(ui().Text1.backColor(), tick.back) << tick.at;
        EXPECT_EQ(ui().Text1.foreColor(), tick.fore) << tick.at;
    }
    click(ui().Text1);
    EXPECT_EQ(ui().Timer3.interval(), 0);
    advanceToMs(8000);
    EXPECT_EQ(ui().Text1.text(), kEnglishCodePrompt);
}

// ---- the high-score row

TEST(HighScoreRows, FollowThePointBands) {
    const std::pair<double, int> cases[] = {{0, -1},  {4, -1},  {5, 4},  {9, 4},  {10, 3},
                                            {19, 3},  {20, 2},  {49, 2}, {50, 1}, {99, 1},
                                            {100, 0}, {145, 0}, {-3, -1}};
    for (auto [points, row] : cases) EXPECT_EQ(highScoreRow(points), row) << points;
}

TEST_F(Rewards, TheNameEntryFillsTheRowOfEachHumansPoints) {
    startSelection();
    store().bodyL.setCaption("12");
    store().bodyP.setCaption("55");
    reload();
    EXPECT_EQ(ui().Text1.text(), "write your name here!");
    EXPECT_EQ(ui().Timer3.interval(), 0);
    ui().Text1.setText("Ema");
    advanceMs(20);
    EXPECT_EQ(ui().meno[3].text(), "Ema");
    EXPECT_EQ(ui().skore[3].caption(), "12");
    EXPECT_EQ(ui().meno[1].text(), "Ema");
    EXPECT_EQ(ui().skore[1].caption(), "55");
    EXPECT_EQ(ui().meno[0].text(), "Zakrel");
    EXPECT_EQ(ui().meno[2].text(), "Superman");
}

}  // namespace
}  // namespace vorkala::testing
