// The progression over whole runs of the program: fights against the computer counted in
// the stage counters and points, the rewards they unlock, the high-score table saved by
// the exit button and read back by the next start, and the deletion of it all.
#include <algorithm>
#include <string>
#include <vector>

#include "progress/rewards.h"
#include "progress_fixture.h"
#include "select/code_box.h"

namespace vorkala::testing {
namespace {

using S = PocitadloControls;

// Which covers of a roster are down, as a string of 12 flags ("1" hidden), cover 0 first.
std::string coversDown(VyberpostavControls& c, Side side) {
    std::string flags;
    for (int i = 0; i <= 11; ++i) flags += c.covers(side)[i].visible() ? '0' : '1';
    return flags;
}

// The computer takes the right side at a difficulty; the left human plays it for points.
void computerOnTheRight(ProgressRun& run, const char* difficultyButton) {
    run.call("Image3_Click");
    run.call(difficultyButton);
}

TEST_F(ProgressFixture, FightsAgainstTheComputerCountUnlockAndPersistAcrossARestart) {
    const std::string name =
        "\xC5\xBD"
        "ofie \"\xC4\x8E\xC3\xA1"
        "bel\" O'Brien";
    {
        ProgressRun run(file);
        run.okOnTitle();
        auto& store = run.store();

        // An easy win: one easy stage, one point, the first right fighter comes out.
        computerOnTheRight(run, "Image7_Click");
        EXPECT_EQ(store.HSL.caption(), "1");
        run.fight("krt", "pz", "40", "10");
        EXPECT_EQ(store.LehkaP.caption(), "1");
        EXPECT_EQ(store.bodyL.caption(), "1");
        EXPECT_EQ(store.bodylehkaL.caption(), "1");
        EXPECT_EQ(store.ObtiznostP.caption(), "0");
        EXPECT_EQ(store.ObtiznostL.caption(), "0");
        EXPECT_EQ(coversDown(run.ui(), Side::Right), "010000000000");
        EXPECT_EQ(coversDown(run.ui(), Side::Left), "000000000000");
        EXPECT_EQ(run.ui().Tvujkod.caption(), "lipa");
        EXPECT_FALSE(run.ui().Tvujkod.visible());
        EXPECT_EQ(savedValue("pocitadlo.LehkaP"), "1");
        EXPECT_EQ(run.ui().Text1.text(), "your code?");

        // A hard win: five points, the name entry starts.
        computerOnTheRight(run, "Image9_Click");
        run.fight("krt", "pz", "30", "20");
        EXPECT_EQ(store.TezkaP.caption(), "1");
        EXPECT_EQ(store.bodyL.caption(), "6");
        EXPECT_EQ(store.bodytezkaL.caption(), "5");
        EXPECT_EQ(store.bodylehkaL.caption(), "1");
        EXPECT_EQ(coversDown(run.ui(), Side::Right), "010000010000");
        EXPECT_EQ(run.ui().Tvujkod.caption(), "blesk");
        EXPECT_EQ(run.ui().Text1.text(), "write your name here!");

        // A lost fight, and a tie, which the right fighter wins: nothing is counted.
        computerOnTheRight(run, "Image8_Click");
        run.fight("krt", "pz", "10", "30");
        computerOnTheRight(run, "Image8_Click");
        run.fight("krt", "pz", "25", "25");
        EXPECT_EQ(store.StredniP.caption(), "0");
        EXPECT_EQ(store.bodyL.caption(), "6");
        EXPECT_EQ(store.bodyP.caption(), "0");
        EXPECT_EQ(store.LehkaL.caption(), "0");

        // The name typed goes into the row of 5 to 9 points; the exit saves it all.
        run.run([&] { run.ui().Text1.setText(name); });
        run.advanceMs(20);  // a 1 ms timer ticks at the system timer's resolution
        EXPECT_EQ(run.ui().meno[4].text(), name);
        EXPECT_EQ(run.ui().skore[4].caption(), "6");
        run.click(run.ui().Image14);
        EXPECT_TRUE(run.runtime.ended());
        EXPECT_EQ(run.headless.display.changes().back(), std::make_pair(1024, 768));
    }
    EXPECT_EQ(savedValue("vyberpostav.meno(4).text"), name);
    EXPECT_EQ(savedValue("vyberpostav.skore(4)"), "6");
    EXPECT_EQ(savedValue("pocitadlo.TezkaP"), "1");

    ProgressRun again(file);
    ASSERT_FALSE(again.game.uvodni().ui().Image5.visible());
    again.okOnTitle();
    EXPECT_EQ(again.store().LehkaP.caption(), "1");
    EXPECT_EQ(again.store().TezkaP.caption(), "1");
    EXPECT_EQ(again.store().bodyL.caption(), "0");
    EXPECT_EQ(again.ui().meno[4].text(), name);
    EXPECT_EQ(again.ui().meno[0].text(), "Zakrel");
    EXPECT_EQ(again.ui().skore[4].caption(), "6");
    EXPECT_EQ(coversDown(again.ui(), Side::Right), "010000010000");
    EXPECT_EQ(again.ui().Tvujkod.caption(), "blesk");
}

TEST_F(ProgressFixture, TheLeftHumanScoresAgainstALeftComputerInTheRightHumansCounters) {
    ProgressRun run(file);
    run.okOnTitle();
    run.call("Image2_Click");
    run.call("Image5_Click");
    EXPECT_EQ(run.store().HSP.caption(), "1");
    run.fight("krt", "pz", "5", "45");
    EXPECT_EQ(run.store().StredniL.caption(), "1");
    EXPECT_EQ(run.store().bodyP.caption(), "3");
    EXPECT_EQ(run.store().bodystredniP.caption(), "3");
    EXPECT_EQ(run.store().bodyL.caption(), "0");
    EXPECT_EQ(coversDown(run.ui(), Side::Left), "000010000000");
    EXPECT_EQ(run.ui().Tvujkod.caption(), "vlk");
}

// ---- names in the table

class TableNames : public ProgressFixture, public ::testing::WithParamInterface<std::string> {};

TEST_P(TableNames, ComeBackUnchangedOnTheNextRun) {
    {
        ProgressRun run(file);
        run.okOnTitle();
        run.store().bodyP.setCaption("120");
        run.game.vyberpostav().unload();
        run.run([&] { run.game.vyberpostav().show(); });
        run.run([&] { run.ui().Text1.setText(GetParam()); });
        run.advanceMs(20);  // a 1 ms timer ticks at the system timer's resolution
        run.click(run.ui().Image14);
    }
    ProgressRun again(file);
    again.okOnTitle();
    // A name longer than its box can show (1815 twips: 121 pixels, so 121 characters at the
    // most) is saved as far as the box shows it.
    const std::string& name = GetParam();
    EXPECT_EQ(again.ui().meno[0].text(), name.size() > 1000 ? name.substr(0, 121) : name);
    EXPECT_EQ(again.ui().skore[0].caption(), "120");
    EXPECT_EQ(again.ui().meno[1].text(), "UFO");
}

INSTANTIATE_TEST_SUITE_P(
    Texts, TableNames,
    ::testing::Values("P\xC5\x99\xC3\xADli\xC5\xA1 \xC5\xBEluou\xC4\x8Dk\xC3\xBD k\xC5\xAF\xC5\x88",
                      "\"quoted\" 'single' back\\slash {json: [1]}", std::string(5000, 'W') + "!",
                      "  blanks around  ", ""),
    [](const auto& info) { return "name" + std::to_string(info.index); });

// ---- the settings file damaged between runs

struct DamageCase {
    const char* name;
    bool removeFile;
    const char* contents;
    bool firstRunAfter;
};

class DamagedSettings : public ProgressFixture, public ::testing::WithParamInterface<DamageCase> {};

TEST_P(DamagedSettings, GiveTheFirstRunOrEmptyRowsButNeverACrash) {
    const DamageCase& t = GetParam();
    {
        ProgressRun run(file);
        run.okOnTitle();
    }
    if (t.removeFile)
        fs::remove(file);
    else
        std::ofstream(file, std::ios::trunc) << t.contents;

    ProgressRun again(file);
    EXPECT_EQ(again.game.uvodni().ui().Image5.visible(), t.firstRunAfter);
    again.okOnTitle();
    ASSERT_FALSE(again.runtime.ended());
    ASSERT_TRUE(again.game.vyberpostav().visible());
    for (auto [label, key] : stageCounters(again.store())) EXPECT_EQ(label->caption(), "0") << key;
    EXPECT_EQ(again.ui().meno[0].text(), t.firstRunAfter ? "Zakrel" : "");
    EXPECT_EQ(again.ui().skore[0].caption(), t.firstRunAfter ? "100" : "");
    // The toggles read the counters as numbers: they work too.
    again.call("Image2_Click");
    again.call("Image3_Click");
    EXPECT_FALSE(again.runtime.ended());
    EXPECT_EQ(coversDown(again.ui(), Side::Left), "000000000000");
}

INSTANTIATE_TEST_SUITE_P(
    Files, DamagedSettings,
    ::testing::Values(
        DamageCase{"deleted", true, "", true}, DamageCase{"emptied", false, "", true},
        DamageCase{"cut", false, "{\"Vorkala\": {\"hraci\": {\"Text1.Text\": \"podr", true},
        DamageCase{"not_an_object", false, "[1, 2, 3]", true},
        DamageCase{"counters_not_numbers", false,
                   R"({"Vorkala": {"hraci": {"Text1.Text": "podruhe", "pocitadlo.LehkaL": "",
                   "pocitadlo.LehkaP": "abc", "pocitadlo.StredniL": "1e999",
                   "pocitadlo.StredniP": "--2", "pocitadlo.TezkaL": "nan"}}})",
                   false}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- deletion

TEST_F(ProgressFixture, TheDeleteButtonsCodeShowsItAndItDeletesTheSavedProgress) {
    {
        ProgressRun run(file);
        run.okOnTitle();
        ASSERT_EQ(savedValue("Text1.Text"), "podruhe");
        EXPECT_FALSE(run.ui().VYM.visible());
        run.run([&] { run.ui().Text1.setText(kDeleteButtonCode); });
        ASSERT_TRUE(run.ui().VYM.visible());
        run.click(run.ui().VYM);
        EXPECT_FALSE(run.ui().VYM.visible());
        EXPECT_EQ(savedValue("Text1.Text"), "");
        EXPECT_EQ(savedValue("pocitadlo.LehkaL"), "");
        EXPECT_EQ(savedValue("vyberpostav.meno(0).text"), "");
    }
    ProgressRun again(file);
    EXPECT_TRUE(again.game.uvodni().ui().Image5.visible());
}

// A counter read back from a deleted section is the empty text; the next exit saves "0"s.
TEST_F(ProgressFixture, TheExitAfterADeletionSavesTheCountersAgain) {
    ProgressRun run(file);
    run.okOnTitle();
    run.run([&] { run.ui().Text1.setText(kDeleteButtonCode); });
    run.click(run.ui().VYM);
    run.click(run.ui().Image14);
    EXPECT_EQ(savedValue("pocitadlo.TezkaL"), "0");
    EXPECT_EQ(savedValue("vyberpostav.meno(2).text"), "Superman");
    EXPECT_EQ(savedValue("Text1.Text"), "");
}

}  // namespace
}  // namespace vorkala::testing
