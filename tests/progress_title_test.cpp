// The title screen's OK buttons against a real settings file: the first run writes the
// defaults and the marker, a later run loads them.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <nlohmann/json.hpp>

#include "progress/pocitadlo.h"
#include "progress/saved_progress.h"
#include "progress_fixture.h"
#include "runtime/data_files.h"
#include "runtime/settings_json.h"
#include "select/vyberpostav.h"
#include "shell/uvodni.h"

namespace vorkala::testing {
namespace {

// One run of the program against a settings file.
struct ProgramRun : WholeGame {
    explicit ProgramRun(const fs::path& settingsFile)
        : WholeGame(vk::defaultProgramFolder(), nullptr,
                    std::make_unique<vk::JsonSettingsStore>(settingsFile, savedProgressLayout())) {
        game.start();
    }
};

class TitleOkButtons : public ProgressFixture {
  protected:
    nlohmann::json saved() const {
        std::ifstream in(file);
        const std::string text{std::istreambuf_iterator<char>(in),
                               std::istreambuf_iterator<char>()};
        return nlohmann::json(vk::readSettings(text).values)["Vorkala"]["hraci"];
    }
};

TEST_F(TitleOkButtons, FirstRunWritesDefaultsAndTheMarker) {
    ProgramRun run(file);
    ASSERT_TRUE(run.game.uvodni().ui().Image5.visible());
    run.click(run.game.uvodni().ui().Image5);

    EXPECT_FALSE(run.game.uvodni().loaded());
    EXPECT_TRUE(run.game.vyberpostav().visible());
    auto& table = run.game.vyberpostav().ui();
    const char* names[] = {"Zakrel", "UFO", "Superman", "Batman", "Looser"};
    const char* points[] = {"100", "50", "20", "10", "5"};
    for (int row = 0; row < kHighScoreRows; ++row) {
        EXPECT_EQ(table.meno[row].text(), names[row]);
        EXPECT_EQ(table.skore[row].caption(), points[row]);
    }
    const auto values = saved();
    EXPECT_EQ(values["Text1.Text"], "podruhe");
    EXPECT_EQ(values["pocitadlo.TezkaP"], "0");
    EXPECT_EQ(values["vyberpostav.meno(4).text"], "Looser");
    EXPECT_EQ(values["vyberpostav.skore(0)"], "100");
    EXPECT_EQ(values.size(), 17u);

    // The start sound plays, the title music stops, the selection screen's music starts.
    const auto& started = run.headless.audio.started();
    EXPECT_NE(std::find(started.begin(), started.end(), "uvodni.MMControl2"), started.end());
    EXPECT_NE(std::find(started.begin(), started.end(), "vyberpostav.MMControl2"), started.end());
    EXPECT_FALSE(run.headless.audio.isPlaying("uvodni.MMControl4"));
}

TEST_F(TitleOkButtons, LaterRunLoadsTheSavedProgressThroughTheOtherButton) {
    {
        ProgramRun first(file);
        first.click(first.game.uvodni().ui().Image5);
    }
    {
        // Progress made in the meantime.
        vk::JsonSettingsStore store(file);
        store.set("Vorkala", "hraci", "pocitadlo.StredniP", "2");
        store.set("Vorkala", "hraci", "vyberpostav.meno(1).text", "Ivana");
        store.set("Vorkala", "hraci", "vyberpostav.skore(1)", "60");
    }
    ProgramRun later(file);
    auto& title = later.game.uvodni().ui();
    ASSERT_FALSE(title.Image5.visible());
    later.click(title.Image1);

    EXPECT_TRUE(later.game.vyberpostav().visible());
    EXPECT_FALSE(later.game.uvodni().loaded());
    auto& store = later.game.pocitadlo().ui();
    EXPECT_EQ(store.StredniP.caption(), "2");
    EXPECT_EQ(store.TezkaL.caption(), "0");
    EXPECT_EQ(later.game.vyberpostav().ui().meno[1].text(), "Ivana");
    EXPECT_EQ(later.game.vyberpostav().ui().skore[1].caption(), "60");
    // The selection screen's load ran inside the click and saw the counters just read.
    EXPECT_EQ(later.game.vyberpostav().ui().Label17.caption(), "2");
}

// A second run without some saved values reads their first-run defaults: an empty counter
// would stop the game with a type mismatch where the selection screen reads it.
TEST_F(TitleOkButtons, MissingCountersReadAsZeroAndRowsStayEmpty) {
    {
        vk::JsonSettingsStore store(file);
        store.set("Vorkala", "hraci", "Text1.Text", "podruhe");
    }
    ProgramRun run(file);
    run.click(run.game.uvodni().ui().Image1);
    // A counter never saved reads as 0; the table's rows stay empty, as after the saved
    // progress was deleted.
    EXPECT_EQ(run.game.pocitadlo().ui().LehkaL.caption(), "0");
    EXPECT_EQ(run.game.vyberpostav().ui().meno[0].text(), "");
    EXPECT_EQ(run.game.vyberpostav().ui().skore[0].caption(), "");
}

}  // namespace
}  // namespace vorkala::testing
