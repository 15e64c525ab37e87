// Damaged surroundings: settings files with values of the wrong type or out of range, a
// settings folder that cannot be written, sound files that are missing. The game keeps
// going with first-run values or silence, and never ends on a run-time error.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "progress/pocitadlo.h"
#include "progress/saved_numbers.h"
#include "progress/saved_progress.h"
#include "runtime/data_files.h"
#include "runtime/settings_json.h"
#include "shell/module.h"
#include "whole_game.h"

namespace vorkala::testing {
namespace {

namespace fs = std::filesystem;

// Standard error captured for the test's lifetime.
class CapturedErrors {
  public:
    CapturedErrors() : previous_(std::cerr.rdbuf(buffer_.rdbuf())) {}
    ~CapturedErrors() { std::cerr.rdbuf(previous_); }
    std::string text() const { return buffer_.str(); }

  private:
    std::ostringstream buffer_;
    std::streambuf* previous_;
};

class BadData : public ::testing::Test {
  protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        folder = fs::temp_directory_path() /
                 ("vorkala-bad-" + std::to_string(::getpid()) + "-" + info->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(folder, ignored);
    }
    void write(const fs::path& file, const std::string& text) {
        std::ofstream(file, std::ios::binary) << text;
    }
    // Plays a whole match: both picks, the fight to its after-fight screen.
    static void playMatch(WholeGame& g) {
        g.pick("pz2");
        g.pick("pz");
        ASSERT_TRUE(g.runUntil([&] { return WholeGame::showing(g.game.boj()); }, 7000));
        ASSERT_TRUE(
            g.runUntil([&] { return WholeGame::showing(g.game.drzky()); }, kLongestFightMs, 50));
    }
    static std::string boxes(const WholeGame& g, vk::MessageIcon icon) {
        std::string text;
        for (const auto& shown : g.headless.messages.shown())
            if (shown.icon == icon) text += shown.text + "\n";
        return text;
    }
    static std::string errorBoxes(const WholeGame& g) {
        return boxes(g, vk::MessageIcon::Critical);
    }

    fs::path folder;
};

// A second run whose saved progress has one damaged value: that value alone takes its
// first-run default, the others are read as saved, and a whole match plays. A value that
// is not a text at all is a damaged file: the player is told once where its copy is.
TEST_F(BadData, DamagedSavedValuesGiveTheirFirstRunDefaults) {
    struct Case {
        const char* key;
        const char* json;      // the value as it stands in the file
        const char* expected;  // what the game shows for it
    };
    const std::vector<Case> cases = {
        {"pocitadlo.LehkaP", "7", "0"},
        {"pocitadlo.LehkaP", "null", "0"},
        {"pocitadlo.LehkaP", "\"1e999\"", "0"},
        {"pocitadlo.LehkaP", "\"99999999999\"", "0"},
        {"pocitadlo.LehkaP", "\"-3\"", "0"},
        {"pocitadlo.LehkaP", "\"2.5\"", "0"},
        {"pocitadlo.LehkaP", "\"tri\"", "0"},
        {"pocitadlo.LehkaP", "\"\"", "0"},
        {"pocitadlo.TezkaL", "[\"2\"]", "0"},
        {"vyberpostav.skore(0)", "\"1e40\"", "100"},
        {"vyberpostav.skore(0)", "\"sto\"", "100"},
        {"vyberpostav.skore(4)", "5", "5"},
        {"vyberpostav.skore(2)", "\"\"", ""},
        {"vyberpostav.meno(1).text", "42", "UFO"},
    };
    const std::string good = R"x("Text1.Text": "podruhe", "pocitadlo.StredniL": "3",
        "vyberpostav.meno(0).text": "ADA", "vyberpostav.skore(1)": "77")x";
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.key) + " = " + c.json);
        const fs::path file = folder / "settings.json";
        fs::remove_all(folder);
        fs::create_directories(folder);
        write(file, std::string(R"({"Vorkala": {"hraci": {)") + good + ", \"" + c.key +
                        "\": " + c.json + "}}}");
        CapturedErrors errors;
        WholeGame g(vk::defaultProgramFolder(), nullptr,
                    std::make_unique<vk::JsonSettingsStore>(file));
        g.game.start();
        g.click(g.game.uvodni().ui().Image1);
        ASSERT_TRUE(WholeGame::showing(g.game.vyberpostav()));

        auto& store = g.game.pocitadlo().ui();
        auto& table = g.game.vyberpostav().ui();
        const std::string key = c.key;
        if (key == "pocitadlo.LehkaP") {
            EXPECT_EQ(store.LehkaP.caption(), c.expected);
        }
        if (key == "pocitadlo.TezkaL") {
            EXPECT_EQ(store.TezkaL.caption(), c.expected);
        }
        if (key == "vyberpostav.skore(0)") {
            EXPECT_EQ(table.skore[0].caption(), c.expected);
        }
        if (key == "vyberpostav.skore(2)") {
            EXPECT_EQ(table.skore[2].caption(), c.expected) << "saved empty stays empty";
        }
        if (key == "vyberpostav.skore(4)") {
            EXPECT_EQ(table.skore[4].caption(), c.expected);
        }
        if (key == "vyberpostav.meno(1).text") {
            EXPECT_EQ(table.meno[1].text(), c.expected);
        }
        // Values saved as they should be are read as saved.
        EXPECT_EQ(store.StredniL.caption(), "3");
        EXPECT_EQ(table.meno[0].text(), "ADA");
        EXPECT_EQ(table.skore[1].caption(), "77");

        playMatch(g);
        EXPECT_EQ(errorBoxes(g), "");
        EXPECT_FALSE(g.runtime.ended());
        const bool damagedFile = c.json[0] != '"';
        const std::string told = boxes(g, vk::MessageIcon::Exclamation);
        EXPECT_EQ(told.find(file.string() + ".corrupt-1") != std::string::npos, damagedFile)
            << told;
        EXPECT_EQ(g.headless.messages.shown().size(), damagedFile ? 1u : 0u);
    }
}

TEST(SavedNumbers, RangesAndWholeness) {
    struct Case {
        const char* text;
        bool whole16;  // a stage counter
        bool points;   // a high-score row's points
    };
    const std::vector<Case> cases = {
        {"0", true, true},
        {"32767", true, true},
        {"32768", false, true},
        {"-1", false, true},
        {"1.5", false, false},
        {" 12 ", true, true},
        {"2147483648", false, false},
        {"-2147483648", false, true},
        {"1e999", false, false},
        {"", false, false},
        {"abc", false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(numberWithin(c.text, 0, 32767, true), c.whole16);
        EXPECT_EQ(numberWithin(c.text, -2147483648.0, 2147483647.0, true), c.points);
    }
}

// Saving fails from the first run on: one warning, and the game plays on with its values
// in memory.
TEST_F(BadData, UnwritableSettingsFolderWarnsOnceAndTheGamePlays) {
    write(folder / "blocker", "a file where the settings folder should be");
    const fs::path file = folder / "blocker" / "vorkala" / "settings.json";
    CapturedErrors errors;
    WholeGame g(vk::defaultProgramFolder(), nullptr, std::make_unique<vk::JsonSettingsStore>(file));
    g.startToSelection();
    ASSERT_TRUE(WholeGame::showing(g.game.vyberpostav()));
    playMatch(g);
    EXPECT_EQ(errorBoxes(g), "");
    EXPECT_NE(errors.text().find("Progress could not be saved"), std::string::npos)
        << errors.text();
    // The player is told once, in a warning box that names the file.
    const std::string warnings = boxes(g, vk::MessageIcon::Exclamation);
    EXPECT_EQ(warnings.find("Progress could not be saved"), 0u) << warnings;
    EXPECT_NE(warnings.find("File: " + file.string()), std::string::npos) << warnings;
    EXPECT_EQ(warnings.find("Progress could not be saved", 1), std::string::npos) << warnings;
    EXPECT_EQ(g.headless.settings().get(kAppTitle, kSettingsSection, kMarkerKey), kSecondRunMarker);
}

// Sound files missing from the data folder: the channels are sent their commands as ever
// and the game goes on through a whole match (the SDL platform's tests show that such a
// channel stays silent).
TEST_F(BadData, MissingSoundFilesLeaveTheirChannelsSilent) {
    const fs::path generated = vk::defaultProgramFolder() / "data";
    const fs::path program = folder / "program";
    fs::create_directories(program / "data");
    for (const auto& entry : fs::directory_iterator(generated))
        if (entry.path().filename() != "zvuk")
            fs::create_symlink(entry.path(), program / "data" / entry.path().filename());
    fs::create_directories(program / "data" / "zvuk");
    for (const auto& entry : fs::directory_iterator(generated / "zvuk")) {
        const std::string name = entry.path().filename().string();
        if (name == "vyber.wav" || name == "kov.wav") continue;
        fs::create_symlink(entry.path(), program / "data" / "zvuk" / name);
    }
    WholeGame g(program);
    g.startToSelection();
    ASSERT_TRUE(WholeGame::showing(g.game.vyberpostav()));
    g.advanceMs(100);
    playMatch(g);
    EXPECT_EQ(errorBoxes(g), "");
    const auto& commands = g.headless.audio.commands();
    EXPECT_TRUE(std::any_of(commands.begin(), commands.end(), [](const auto& command) {
        return command.owner == "vyberpostav.MMControl6" && command.command == "Play";
    }));
}

}  // namespace
}  // namespace vorkala::testing
