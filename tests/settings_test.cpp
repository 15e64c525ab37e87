#include "runtime/settings_json.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <map>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "settings_test_support.h"

namespace vk {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;

using testing::CapturedErrors;
using testing::folderEntries;
using testing::readText;
using testing::writeText;

// The values the file holds, as nested objects.
json savedIn(const fs::path& file) { return json(readSettings(readText(file)).values); }

// Sets (or unsets, with nullopt) an environment variable and restores it afterwards.
class EnvironmentOverride {
  public:
    EnvironmentOverride(const char* name, const std::optional<std::string>& value) : name_(name) {
        if (const char* old = std::getenv(name)) previous_ = old;
        apply(value);
    }
    ~EnvironmentOverride() { apply(previous_); }

  private:
    void apply(const std::optional<std::string>& value) {
        if (value) {
            ::setenv(name_.c_str(), value->c_str(), 1);
        } else {
            ::unsetenv(name_.c_str());
        }
    }
    std::string name_;
    std::optional<std::string> previous_;
};

class SettingsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::random_device seed;
        folder_ = fs::temp_directory_path() /
                  ("vorkala-settings-" + std::to_string(::getpid()) + "-" + std::to_string(seed()));
        fs::create_directories(folder_);
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }

    fs::path settingsFile() const { return folder_ / "settings.json"; }

    fs::path folder_;
};

TEST_F(SettingsTest, MissingValuesReadEmptyWithoutTouchingTheDisk) {
    writeText(settingsFile(), R"({"Vorkala": {"pocitadlo": {"LehkaL": "3"}}})");
    CapturedErrors errors;
    JsonSettingsStore store(settingsFile());
    struct Case {
        const char* app;
        const char* section;
        const char* key;
    };
    for (const Case& c :
         {Case{"Other", "pocitadlo", "LehkaL"}, Case{"Vorkala", "skore", "LehkaL"},
          Case{"Vorkala", "pocitadlo", "StredniL"}, Case{"Vorkala", "pocitadlo", "lehkal"}}) {
        EXPECT_EQ(store.get(c.app, c.section, c.key), "")
            << c.app << "/" << c.section << "/" << c.key;
    }
    EXPECT_EQ(store.get("Vorkala", "pocitadlo", "LehkaL"), "3");

    JsonSettingsStore fresh(folder_ / "never-written.json");
    EXPECT_EQ(fresh.get("Vorkala", "pocitadlo", "LehkaL"), "");
    EXPECT_EQ(folderEntries(folder_), std::vector<std::string>{"settings.json"});
    EXPECT_EQ(errors.text(), "");
}

TEST_F(SettingsTest, ValuesSurviveIntoANewStoreExactlyAsSet) {
    struct Entry {
        std::string app, section, key, value;
    };
    const std::vector<Entry> entries = {
        {"Vorkala", "pocitadlo", "LehkaL", "7"},
        {"Vorkala", "pocitadlo", "lehkal", "lower case is another key"},
        {"Vorkala", "vyberpostav", "vyberpostav.meno(0).text", "KÓD"},
        {"Vorkala", "skore", "quoted", "say \"hi\" \\ back\nslash\ttab"},
        {"Vorkala", "skore", "empty", ""},
        {"Other Title", "pocitadlo", "LehkaL", "separate app"},
        {"", "", "", "blank names are names too"},
    };
    {
        JsonSettingsStore store(settingsFile());
        for (const Entry& e : entries) store.set(e.app, e.section, e.key, e.value);
        store.set("Vorkala", "pocitadlo", "LehkaL", "8");  // the latest value wins
    }
    JsonSettingsStore reopened(settingsFile());
    for (const Entry& e : entries) {
        const std::string expected = e.key == "LehkaL" && e.app == "Vorkala" ? "8" : e.value;
        EXPECT_EQ(reopened.get(e.app, e.section, e.key), expected) << e.key;
    }
}

// One value a line with its check value (CRC-32 of the four texts, each ended by a zero
// byte), letters kept as they are.
TEST_F(SettingsTest, FileHoldsOneValueALineWithItsCheckValue) {
    {
        JsonSettingsStore store(settingsFile());
        store.set("Vorkala", "vyberpostav", "vyberpostav.meno(0).text", "KÓD");
        store.set("V", "h", "k", "v");
    }
    EXPECT_EQ(
        readText(settingsFile()),
        "[\n"
        "[\"V\", \"h\", \"k\", \"v\", \"878e066d\"],\n"
        "[\"Vorkala\", \"vyberpostav\", \"vyberpostav.meno(0).text\", \"KÓD\", \"95d1f3f1\"]\n"
        "]\n");
}

TEST_F(SettingsTest, DeletingASectionRemovesOnlyThatSection) {
    {
        JsonSettingsStore store(settingsFile());
        store.set("Vorkala", "skore", "meno1", "ADA");
        store.set("Vorkala", "skore", "body1", "900");
        store.set("Vorkala", "skore", "meno2", "BOB");
        store.set("Vorkala", "pocitadlo", "LehkaL", "2");
        store.set("Other", "skore", "meno1", "EVE");
        store.set("Lonely", "only", "k", "v");

        store.deleteSection("Vorkala", "skore");
        store.deleteSection("Lonely", "only");
        store.deleteSection("Vorkala", "no such section");  // harmless
        store.deleteSection("No such app", "skore");        // harmless
        for (const char* key : {"meno1", "body1", "meno2"}) {
            EXPECT_EQ(store.get("Vorkala", "skore", key), "") << key;
        }
    }
    JsonSettingsStore reopened(settingsFile());
    struct Case {
        const char* app;
        const char* section;
        const char* key;
        const char* expected;
    };
    for (const Case& c :
         {Case{"Vorkala", "skore", "meno1", ""}, Case{"Vorkala", "skore", "body1", ""},
          Case{"Vorkala", "pocitadlo", "LehkaL", "2"}, Case{"Other", "skore", "meno1", "EVE"},
          Case{"Lonely", "only", "k", ""}}) {
        EXPECT_EQ(reopened.get(c.app, c.section, c.key), c.expected)
            << c.app << "/" << c.section << "/" << c.key;
    }
    // An emptied app is dropped from the file rather than left as an empty object.
    EXPECT_FALSE(savedIn(settingsFile()).contains("Lonely"));
}

TEST_F(SettingsTest, SavingReplacesTheWholeFileThroughARename) {
    json big;
    for (int i = 0; i < 200; ++i) big["Vorkala"]["skore"]["meno" + std::to_string(i)] = "PLAYER";
    big["Vorkala"]["pocitadlo"]["LehkaL"] = "5";
    writeText(settingsFile(), big.dump());
    struct stat before {};
    ASSERT_EQ(::stat(settingsFile().c_str(), &before), 0);

    JsonSettingsStore store(settingsFile());
    store.deleteSection("Vorkala", "skore");

    // Rewriting in place would keep the inode (and could leave a torn file after a crash).
    struct stat after {};
    ASSERT_EQ(::stat(settingsFile().c_str(), &after), 0);
    EXPECT_NE(before.st_ino, after.st_ino);
    EXPECT_EQ(folderEntries(folder_), std::vector<std::string>{"settings.json"});
    const json saved = savedIn(settingsFile());
    EXPECT_EQ(saved, json::parse(R"({"Vorkala": {"pocitadlo": {"LehkaL": "5"}}})"));

    store.set("Vorkala", "pocitadlo", "LehkaL", "6");
    EXPECT_EQ(folderEntries(folder_), std::vector<std::string>{"settings.json"});
    EXPECT_EQ(savedIn(settingsFile())["Vorkala"]["pocitadlo"]["LehkaL"], "6");
}

TEST_F(SettingsTest, MissingFoldersAreCreatedOnFirstSave) {
    const fs::path nested = folder_ / "config" / "vorkala" / "settings.json";
    JsonSettingsStore store(nested);
    EXPECT_FALSE(fs::exists(nested.parent_path()));
    store.set("Vorkala", "prvy", "spusteny", "1");
    EXPECT_EQ(JsonSettingsStore(nested).get("Vorkala", "prvy", "spusteny"), "1");
}

// What cannot be read costs only itself: every value that can be read is kept and saved
// again, the file as it was is kept as a numbered copy, and the player is told once.
TEST_F(SettingsTest, DamageCostsOnlyWhatCannotBeRead) {
    using Values = std::map<std::string, std::string>;  // "hraci" keys that read back
    struct Case {
        std::string text;
        Values kept;
        std::vector<std::string> wrongTypes;  // keys whose value was not a text
    };
    const std::string hraci = R"({"Vorkala": {"hraci": {)";
    const std::vector<Case> cases = {
        {hraci + "\"meno\": \"AD\xFF\xC3\" , \"LehkaL\": \"3\"}}}",
         {{"meno", "AD\uFFFD\uFFFD"}, {"LehkaL", "3"}},
         {}},
        {hraci + "\"LehkaL\": \"1\", \"TezkaL\": \"2", {{"LehkaL", "1"}}, {}},
        {hraci + "\"LehkaL\": \"1\"}}} trailing", {{"LehkaL", "1"}}, {}},
        {hraci + "\"LehkaL\": \"1\", \"x\": 1e4815, \"TezkaL\": \"2\"}}}", {{"LehkaL", "1"}}, {}},
        {hraci + "\"LehkaL\": 7, \"TezkaL\": \"2\"}}}", {{"TezkaL", "2"}}, {"LehkaL"}},
        {hraci + "\"LehkaL\": {\"a\": [\"1\"]}, \"TezkaL\": \"2\"}, \"skore\": \"x\"}, \"J\": 5}",
         {{"TezkaL", "2"}},
         {"LehkaL"}},
        {"{not json", {}, {}},
        {"", {}, {}},
        {R"([{"Vorkala": {}}])", {}, {}},
        // Beyond the size cap only the beginning is read.
        {hraci + "\"LehkaL\": \"4\", \"zz\": \"" + std::string(1'100'000, 'z') + "\"}}}",
         {{"LehkaL", "4"}},
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.substr(0, 80));
        fs::remove_all(folder_);
        fs::create_directories(folder_);
        writeText(settingsFile(), c.text);
        const fs::path copy = folder_ / "settings.json.corrupt-1";
        CapturedErrors errors;
        {
            JsonSettingsStore store(settingsFile());
            for (const auto& [key, value] : c.kept)
                EXPECT_EQ(store.get("Vorkala", "hraci", key), value);
            for (const auto& key : c.wrongTypes)
                EXPECT_TRUE(store.damaged("Vorkala", "hraci", key));
            EXPECT_FALSE(store.damaged("Vorkala", "hraci", "TezkaL"));
            const std::string notice = store.takeNotice();
            EXPECT_NE(notice.find(copy.string()), std::string::npos) << notice;
            EXPECT_EQ(store.takeNotice(), "") << "told once";
        }
        EXPECT_EQ(readText(copy), c.text);
        EXPECT_EQ(errors.lines(), 1);
        EXPECT_NE(errors.text().find(copy.string()), std::string::npos) << errors.text();

        // The file now holds what could be read, which loads again without a word.
        CapturedErrors again;
        JsonSettingsStore reopened(settingsFile());
        for (const auto& [key, value] : c.kept)
            EXPECT_EQ(reopened.get("Vorkala", "hraci", key), value);
        EXPECT_EQ(again.text(), "");
        EXPECT_EQ(folderEntries(folder_),
                  (std::vector<std::string>{"settings.json", copy.filename()}));
    }
}

TEST_F(SettingsTest, EveryDamagedCopyIsKeptTheNewestFive) {
    for (int damage = 1; damage <= 7; ++damage) {
        const std::string text = "{damaged " + std::to_string(damage);
        writeText(settingsFile(), text);
        CapturedErrors errors;
        JsonSettingsStore store(settingsFile());
        EXPECT_EQ(readText(folder_ / ("settings.json.corrupt-" + std::to_string(damage))), text);
    }
    std::vector<std::string> expected = {"settings.json"};
    for (int kept = 3; kept <= 7; ++kept)
        expected.push_back("settings.json.corrupt-" + std::to_string(kept));
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(folderEntries(folder_), expected);
    EXPECT_EQ(readText(folder_ / "settings.json.corrupt-3"), "{damaged 3");
}

TEST_F(SettingsTest, ByteOrderMarkAndEmptyObjectsAreAccepted) {
    writeText(settingsFile(), "\xEF\xBB\xBF{\"Vorkala\": {\"skore\": {}, \"p\": {\"k\": \"v\"}}}");
    CapturedErrors errors;
    JsonSettingsStore store(settingsFile());
    EXPECT_EQ(store.get("Vorkala", "p", "k"), "v");
    EXPECT_EQ(errors.text(), "");
    EXPECT_EQ(folderEntries(folder_), std::vector<std::string>{"settings.json"});
}

TEST_F(SettingsTest, UnwritableLocationKeepsValuesInMemory) {
    const fs::path blocker = folder_ / "blocker";
    writeText(blocker, "a file where the settings folder should be");
    const fs::path file = blocker / "settings.json";
    CapturedErrors errors;
    JsonSettingsStore store(file);

    EXPECT_NO_THROW(store.set("Vorkala", "pocitadlo", "LehkaL", "1"));
    EXPECT_NO_THROW(store.set("Vorkala", "skore", "meno1", "ADA"));
    EXPECT_NO_THROW(store.deleteSection("Vorkala", "skore"));
    EXPECT_EQ(store.get("Vorkala", "pocitadlo", "LehkaL"), "1");
    EXPECT_EQ(store.get("Vorkala", "skore", "meno1"), "");
    // One warning for the run of failures, not one per update: what failed, the file, the
    // reason.
    EXPECT_EQ(errors.lines(), 1);
    EXPECT_NE(errors.text().find(file.string()), std::string::npos);
    const std::string notice = store.takeNotice();
    EXPECT_EQ(notice.find("Progress could not be saved: "), 0u) << notice;
    EXPECT_NE(notice.find("Not a directory"), std::string::npos) << notice;
    EXPECT_NE(notice.find("File: " + file.string()), std::string::npos) << notice;

    // Once the location is usable again, the next save writes everything kept so far and
    // says nothing.
    fs::remove(blocker);
    store.set("Vorkala", "pocitadlo", "StredniL", "2");
    EXPECT_EQ(store.takeNotice(), "");
    JsonSettingsStore reopened(file);
    EXPECT_EQ(reopened.get("Vorkala", "pocitadlo", "LehkaL"), "1");
    EXPECT_EQ(reopened.get("Vorkala", "pocitadlo", "StredniL"), "2");
    EXPECT_EQ(errors.lines(), 1);
}

TEST_F(SettingsTest, UnreadableSettingsPathIsNeverOverwritten) {
    // A folder where the file should be: it cannot be read, so it must not be replaced.
    fs::create_directories(settingsFile() / "keep-me");
    CapturedErrors errors;
    JsonSettingsStore store(settingsFile());
    EXPECT_NO_THROW(store.set("Vorkala", "pocitadlo", "LehkaL", "1"));
    EXPECT_EQ(store.get("Vorkala", "pocitadlo", "LehkaL"), "1");
    EXPECT_TRUE(fs::exists(settingsFile() / "keep-me"));
    EXPECT_EQ(folderEntries(folder_), std::vector<std::string>{"settings.json"});
    EXPECT_EQ(errors.lines(), 1);
}

TEST(SettingsDefaultPath, FollowsTheEnvironment) {
    using Env = std::optional<std::string>;
    struct Case {
        const char* name;
        Env settings, configHome, home;
        fs::path expected;
    };
    const std::vector<Case> cases = {
        {"explicit file wins", "/srv/v.json", "/xdg", "/home/p", "/srv/v.json"},
        {"relative explicit file", "saves/v.json", "/xdg", "/home/p", "saves/v.json"},
        {"empty explicit file ignored", "", "/xdg", "/home/p", "/xdg/vorkala/settings.json"},
        {"config home", std::nullopt, "/xdg", "/home/p", "/xdg/vorkala/settings.json"},
        {"relative config home ignored", std::nullopt, "xdg", "/home/p",
         "/home/p/.config/vorkala/settings.json"},
        {"empty config home ignored", std::nullopt, "", "/home/p",
         "/home/p/.config/vorkala/settings.json"},
        {"home", std::nullopt, std::nullopt, "/home/p", "/home/p/.config/vorkala/settings.json"},
        {"no home: the password database's", std::nullopt, std::nullopt, std::nullopt,
         fs::path(::getpwuid(::getuid())->pw_dir) / ".config/vorkala/settings.json"},
        {"empty home", std::nullopt, std::nullopt, "",
         fs::path(::getpwuid(::getuid())->pw_dir) / ".config/vorkala/settings.json"},
    };
    for (const Case& c : cases) {
        EnvironmentOverride settings("VORKALA_SETTINGS", c.settings);
        EnvironmentOverride configHome("XDG_CONFIG_HOME", c.configHome);
        EnvironmentOverride home("HOME", c.home);
        EXPECT_EQ(JsonSettingsStore::defaultPath(), c.expected) << c.name;
    }
}

}  // namespace
}  // namespace vk
