// Damaged settings files against the game's own keys: every single-bit flip of a full file
// costs at most the value on its line and is never silent, and a damaged file of any shape
// costs little more to read than its size.
#include <sys/resource.h>

#include <chrono>
#include <iostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "progress/saved_progress.h"
#include "runtime/settings_json.h"
#include "runtime_test_support.h"
#include "settings_test_support.h"

namespace vk {
namespace {

namespace fs = std::filesystem;

using testing::readText;
using testing::writeText;
// Keeps the store's warnings off the test's output.
using QuietErrors = testing::CapturedErrors;

// A full file of a player who has played a while: all 17 keys of the game.
SettingsDocument fullProgress() {
    SettingsDocument document;
    auto& keys = document[vorkala::kAppTitle][vorkala::kSettingsSection];
    keys = {{"Text1.Text", "podruhe"},   {"pocitadlo.LehkaL", "3"},   {"pocitadlo.LehkaP", "2"},
            {"pocitadlo.StredniL", "1"}, {"pocitadlo.StredniP", "3"}, {"pocitadlo.TezkaL", "6"},
            {"pocitadlo.TezkaP", "4"}};
    const char* names[] = {"Zakrel", "Ivana", "Superman", "Batman", "Looser"};
    const char* points[] = {"128", "61", "20", "10", "7"};
    for (int row = 0; row < vorkala::kHighScoreRows; ++row) {
        keys[vorkala::highScoreNameKey(row)] = names[row];
        keys[vorkala::highScorePointsKey(row)] = points[row];
    }
    return document;
}

// Flips every bit of the file in turn and loads each damaged file as the game does.
TEST(SettingsDamage, EverySingleBitFlipCostsAtMostOneValueAndIsNeverSilent) {
    const SettingsLayout layout = vorkala::savedProgressLayout();
    const SettingsDocument document = fullProgress();
    const auto& original = document.at(layout.app).at(layout.section);
    ASSERT_EQ(original.size(), layout.keys.size());
    const std::string text = renderSettings(document);
    // tmpfs where there is one: thousands of saves, each flushed to disk.
    const fs::path base = fs::exists("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
    const fs::path folder = base / ("vorkala-flips-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    const fs::path file = folder / "settings.json", copy = folder / "settings.json.corrupt-1";

    int flips = 0, told = 0, losingSome = 0, losingSeveral = 0, losingUntold = 0;
    QuietErrors quiet;
    for (std::size_t at = 0; at < text.size(); ++at) {
        for (int bit = 0; bit < 8; ++bit) {
            std::string damaged = text;
            damaged[at] = static_cast<char>(damaged[at] ^ (1 << bit));
            for (const auto& entry : fs::directory_iterator(folder)) fs::remove(entry.path());
            writeText(file, damaged);
            JsonSettingsStore store(file, layout);
            int lost = 0;
            for (const auto& [key, value] : original)
                lost += store.get(layout.app, layout.section, key) != value;
            const bool tellsAndKeeps = !store.takeNotice().empty() && readText(copy) == damaged;
            ++flips;
            told += tellsAndKeeps;
            losingSome += lost > 0;
            losingSeveral += lost > 1;
            losingUntold += lost > 0 && !tellsAndKeeps;
            if (lost > 1 || (lost > 0 && !tellsAndKeeps))
                ADD_FAILURE() << "byte " << at << " bit " << bit << ": " << lost
                              << " values lost, told and kept: " << tellsAndKeeps;
        }
    }
    fs::remove_all(folder);
    std::cout << flips << " flips of a " << text.size() << "-byte file: " << told
              << " told with a copy kept, " << losingSome << " lose a value, " << losingSeveral
              << " lose more than one, " << losingUntold << " lose one without a copy and a word\n";
    EXPECT_EQ(losingSeveral, 0);
    EXPECT_EQ(losingUntold, 0);
}

// The game's section checked against its keys: what the game does not know is damage, and
// a file that holds progress but lost its first-run marker gets it back, so the first-run
// defaults never overwrite the saved counters.
TEST(SettingsDamage, UnknownKeysAndALostMarkerAreToldAndMended) {
    struct Case {
        const char* name;
        std::string text;
        std::string marker;  // what the marker reads afterwards
        bool told;
    };
    const std::string start = "[\n[\"Vorkala\", \"hraci\", ";
    const std::vector<Case> cases = {
        {"a counter without the marker", start + "\"pocitadlo.LehkaL\", \"3\"]\n]\n", "podruhe",
         true},
        {"a damaged marker",
         start + "\"Text1.Text\", \"podruhd\"],\n" + "[\"Vorkala\", \"hraci\", " +
             "\"pocitadlo.LehkaL\", \"3\"]\n]\n",
         "podruhe", true},
        {"a key the game does not know",
         start + "\"Text1.Text\", \"podruhe\"],\n" +
             "[\"Vorkala\", \"hraci\", \"pocitadlo.LehkaM\", \"3\"]\n]\n",
         "podruhe", true},
        {"another section is not the game's", "[\n[\"Vorkala\", \"other\", \"x\", \"1\"]\n]\n", "",
         false},
        {"only the marker", start + "\"Text1.Text\", \"podruhe\"]\n]\n", "podruhe", false},
        {"an old file of nested objects",
         R"({"Vorkala": {"hraci": {"Text1.Text": "podruhe", "pocitadlo.LehkaL": "3"}}})", "podruhe",
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        rttest::TempFolder folder;
        const fs::path file = folder.path() / "settings.json";
        writeText(file, c.text);
        QuietErrors quiet;
        JsonSettingsStore store(file, vorkala::savedProgressLayout());
        EXPECT_EQ(store.get("Vorkala", "hraci", "Text1.Text"), c.marker);
        EXPECT_EQ(!store.takeNotice().empty(), c.told);
        EXPECT_EQ(fs::exists(folder.path() / "settings.json.corrupt-1"), c.told);
        EXPECT_EQ(store.get("Vorkala", "hraci", "pocitadlo.LehkaM"), "");
    }
}

std::size_t peakResidentKilobytes() {
    struct rusage usage {};
    ::getrusage(RUSAGE_SELF, &usage);
    return static_cast<std::size_t>(usage.ru_maxrss);
}

// A long name over many values that are not texts: every one of them is damage, but the
// message names a few and cuts the names, and the damaged keys kept are bounded by the
// file's size.
TEST(SettingsDamage, ALongNameOverManyWrongValuesReadsInLittleMoreThanTheFileSize) {
    for (const bool nested : {true, false}) {
        SCOPED_TRACE(nested ? "nested objects" : "one value a line");
        const std::string text = testing::damagedSettingsFile(testing::kCostlySettingsSize, nested);
        const std::size_t before = peakResidentKilobytes();
        const auto started = std::chrono::steady_clock::now();
        const ReadSettings read = readSettings(text, nullptr);
        std::cout
            << text.size() << " bytes read in "
            << std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count()
            << " s, " << (peakResidentKilobytes() - before) << " kB more at the peak\n";
        EXPECT_LT(read.damage.size(), 1000u) << read.damage.substr(0, 300);
        EXPECT_NE(read.damage.find("more"), std::string::npos);
        std::size_t namesKept = 0;
        for (const auto& [app, section, key] : read.wrongTypes)
            namesKept += app.size() + section.size() + key.size();
        EXPECT_LE(namesKept, text.size());
        // What the reading itself cost beyond what this process had used before.
        EXPECT_LT(peakResidentKilobytes() - before, 50u * 1024u);
    }
}

}  // namespace
}  // namespace vk
