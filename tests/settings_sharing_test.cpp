// The settings file shared: two games saving against one file, a file reached through a
// symbolic link, and the writes of one handler saved together.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <functional>
#include <iostream>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "runtime/headless/headless_platform.h"
#include "runtime/runtime.h"
#include "runtime/settings_json.h"
#include "runtime_test_support.h"

namespace vk {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;

json savedIn(const fs::path& file) {
    std::ifstream in(file);
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    const ReadSettings read = readSettings(text);
    EXPECT_EQ(read.damage, "");
    return json(read.values);
}

std::vector<std::string> entriesOf(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

TEST(SettingsSharedByTwoGames, EachKeepsTheKeysTheOtherSaved) {
    using Play = std::function<void(JsonSettingsStore & a, JsonSettingsStore & b)>;
    struct Case {
        const char* name;
        Play play;
        const char* expected;
    };
    const std::vector<Case> cases = {
        {"a save writes only the keys it changed",
         [](auto& a, auto& b) {
             b.set("V", "hraci", "LehkaL", "2");
             a.set("V", "hraci", "Text1.Text", "podruhe");
         },
         R"({"V": {"hraci": {"LehkaL": "2", "Text1.Text": "podruhe"}}})"},
        {"a handler starts from the file as the other game left it",
         [](auto& a, auto& b) {
             b.set("V", "hraci", "LehkaL", "2");
             a.holdSaves();
             a.set("V", "hraci", "copy", a.get("V", "hraci", "LehkaL"));
             a.releaseSaves();
         },
         R"({"V": {"hraci": {"LehkaL": "2", "copy": "2"}}})"},
        {"handlers of both games overlap",
         [](auto& a, auto& b) {
             a.holdSaves();
             b.holdSaves();
             a.set("V", "hraci", "a", "1");
             b.set("V", "hraci", "b", "2");
             a.releaseSaves();
             b.releaseSaves();
         },
         R"({"V": {"hraci": {"a": "1", "b": "2"}}})"},
        {"a deleted section takes only itself",
         [](auto& a, auto& b) {
             a.set("V", "hraci", "a", "1");
             b.set("V", "skore", "b", "2");
             a.deleteSection("V", "hraci");
         },
         R"({"V": {"skore": {"b": "2"}}})"},
        {"a deletion reaches keys written after it was read",
         [](auto& a, auto& b) {
             b.set("V", "hraci", "b", "2");
             a.deleteSection("V", "hraci");
             a.set("V", "hraci", "a", "1");
         },
         R"({"V": {"hraci": {"a": "1"}}})"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        rttest::TempFolder folder;
        const fs::path file = folder.path() / "settings.json";
        JsonSettingsStore a(file), b(file);
        c.play(a, b);
        EXPECT_EQ(savedIn(file), json::parse(c.expected));
    }
}

// Both games read every key at their start and write every key back again and again, as
// the game does with its counters and high-score table: a key written back with the value
// the game read or wrote last is no change, so it never undoes the other game's save.
TEST(SettingsSharedByTwoGames, AValueWrittenBackUnchangedKeepsTheOtherGamesSave) {
    using Play = std::function<void(JsonSettingsStore & a, JsonSettingsStore & b)>;
    struct Case {
        const char* name;
        Play play;
        const char* expected;
    };
    const auto readAll = [](JsonSettingsStore& game) {
        for (const char* key : {"LehkaL", "LehkaP", "TezkaL"}) game.get("V", "hraci", key);
    };
    const auto writeBack = [](JsonSettingsStore& game, const char* lehkaL, const char* lehkaP) {
        game.holdSaves();
        game.set("V", "hraci", "LehkaL", lehkaL);
        game.set("V", "hraci", "LehkaP", lehkaP);
        game.set("V", "hraci", "TezkaL", "0");
        game.releaseSaves();
    };
    const std::vector<Case> cases = {
        {"each wins once on a counter of its own",
         [&](auto& a, auto& b) {
             writeBack(a, "1", "0");
             writeBack(b, "0", "1");
             writeBack(a, "1", "0");  // the exit
         },
         R"({"V": {"hraci": {"LehkaL": "1", "LehkaP": "1", "TezkaL": "0"}}})"},
        {"a handler after the other's save starts from it, but its stale values stay stale",
         [&](auto& a, auto& b) {
             writeBack(b, "0", "1");
             a.holdSaves();
             a.releaseSaves();
             writeBack(a, "0", "0");
         },
         R"({"V": {"hraci": {"LehkaL": "0", "LehkaP": "1", "TezkaL": "0"}}})"},
        {"the later of two wins on one counter",
         [&](auto& a, auto& b) {
             writeBack(a, "1", "0");
             writeBack(b, "2", "0");
             writeBack(a, "1", "0");
         },
         R"({"V": {"hraci": {"LehkaL": "2", "LehkaP": "0", "TezkaL": "0"}}})"},
        {"a value read again is the game's own: writing another one saves it",
         [&](auto& a, auto& b) {
             writeBack(b, "0", "1");
             a.holdSaves();
             readAll(a);
             a.releaseSaves();
             writeBack(a, "0", "0");
         },
         R"({"V": {"hraci": {"LehkaL": "0", "LehkaP": "0", "TezkaL": "0"}}})"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        rttest::TempFolder folder;
        const fs::path file = folder.path() / "settings.json";
        {
            JsonSettingsStore first(file);
            for (const char* key : {"LehkaL", "LehkaP", "TezkaL"})
                first.set("V", "hraci", key, "0");
        }
        JsonSettingsStore a(file), b(file);
        readAll(a);
        readAll(b);
        c.play(a, b);
        EXPECT_EQ(savedIn(file), json::parse(c.expected));
    }
}

// Two processes save their own keys at the same moment, each save a whole read, merge
// and replace: no key of either is lost.
TEST(SettingsSharedByTwoGames, TwoProcessesSavingAtOnceLoseNoKey) {
    rttest::TempFolder folder;
    const fs::path file = folder.path() / "settings.json";
    constexpr int kKeys = 60;
    std::cout.flush();
    std::vector<pid_t> games;
    for (const char* game : {"a", "b"}) {
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            JsonSettingsStore store(file);
            for (int key = 0; key < kKeys; ++key)
                store.set("V", "hraci", game + std::to_string(key), "1");
            ::_exit(0);
        }
        games.push_back(pid);
    }
    for (const pid_t pid : games) {
        int status = 0;
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    EXPECT_EQ(savedIn(file)["V"]["hraci"].size(), 2u * kKeys);
}

TEST(SettingsThroughALink, TheLinkStaysAndItsTargetIsReplaced) {
    struct Case {
        const char* name;
        const char* link;    // the settings path, in the folder "links"
        const char* target;  // what the link holds
        const char* real;    // the file it leads to, from the scratch folder
    };
    const std::vector<Case> cases = {
        {"relative link", "settings.json", "../real/settings.json", "real/settings.json"},
        {"link to a link", "settings.json", "hop.json", "real/settings.json"},
        {"target not there yet", "settings.json", "../real/new.json", "real/new.json"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        rttest::TempFolder folder;
        const fs::path links = folder.path() / "links", real = folder.path() / "real";
        fs::create_directories(links);
        fs::create_directories(real);
        if (std::string(c.real) == "real/settings.json")
            std::ofstream(real / "settings.json") << R"({"V": {"hraci": {"old": "1"}}})";
        fs::create_symlink("../real/settings.json", links / "hop.json");
        fs::create_symlink(c.target, links / c.link);
        {
            JsonSettingsStore store(links / c.link);
            store.set("V", "hraci", "new", "2");
        }
        EXPECT_TRUE(fs::is_symlink(links / c.link));
        EXPECT_EQ(fs::read_symlink(links / c.link), c.target);
        EXPECT_EQ(savedIn(folder.path() / c.real)["V"]["hraci"]["new"], "2");
        EXPECT_EQ(JsonSettingsStore(links / c.link).get("V", "hraci", "new"), "2");
        EXPECT_EQ(entriesOf(real).size(), 1u) << "no temporary file is left";
    }
}

// A handler's writes reach the file together when the outermost handler returns, also
// when the handler ends the program.
TEST(SettingsOfOneHandler, AreSavedOnceWhenTheOutermostHandlerReturns) {
    for (const bool endsProgram : {false, true}) {
        SCOPED_TRACE(endsProgram ? "ends the program" : "returns");
        rttest::TempFolder folder;
        const fs::path file = folder.path() / "settings.json";
        auto owned = std::make_unique<JsonSettingsStore>(file);
        HeadlessPlatform headless(folder.path(), std::move(owned));
        Runtime runtime(headless.platform());
        SettingsStore& settings = headless.settings();
        settings.set("V", "hraci", "before", "0");
        const auto saved = savedIn(file);
        runtime.runTopLevel([&] {
            settings.set("V", "hraci", "a", "1");
            runtime.runTopLevel([&] { settings.set("V", "hraci", "nested", "2"); });
            settings.deleteSection("V", "skore");
            EXPECT_EQ(savedIn(file), saved) << "nothing is written inside the handler";
            EXPECT_EQ(settings.get("V", "hraci", "nested"), "2");
            if (endsProgram) runtime.endProgram();
        });
        EXPECT_EQ(savedIn(file),
                  json::parse(R"({"V": {"hraci": {"before": "0", "a": "1", "nested": "2"}}})"));
    }
}

// A signal in the middle of a handler (a message box waiting for a click, say) ends the
// game at once, as the signal does, with what the handler wrote saved.
TEST(SettingsAtASignal, TheGameEndsWithItsProgressSaved) {
    for (const int signal : {SIGTERM, SIGINT}) {
        SCOPED_TRACE(signal);
        rttest::TempFolder folder;
        const fs::path file = folder.path() / "settings.json";
        const pid_t game = rttest::startGameProcess(file, [&](JsonSettingsStore& store) {
            store.holdSaves();
            store.set("V", "hraci", "Text1.Text", "podruhe");
            ::kill(::getpid(), signal);
        });
        ASSERT_GE(game, 0);
        int status = 0;
        ASSERT_EQ(::waitpid(game, &status, 0), game);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << status;
        EXPECT_EQ(savedIn(file)["V"]["hraci"]["Text1.Text"], "podruhe");
    }
}

}  // namespace
}  // namespace vk
