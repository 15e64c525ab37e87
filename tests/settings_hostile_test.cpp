// The settings file under a hostile system: another process holding the folder's lock, a
// signal while a save waits for it, a file size limit, a strict umask, copies planted
// beside the file.
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "runtime/settings_file.h"
#include "runtime/settings_json.h"
#include "runtime_test_support.h"
#include "settings_test_support.h"

namespace vk {
namespace {

namespace fs = std::filesystem;

// Another process that holds the folder's lock until it is killed.
class LockHolder {
  public:
    explicit LockHolder(const fs::path& folder) {
        int ready[2];
        EXPECT_EQ(::pipe(ready), 0);
        std::cout.flush();
        pid_ = ::fork();
        if (pid_ == 0) {
            const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
            if (fd < 0 || ::flock(fd, LOCK_EX) != 0) ::_exit(1);
            ::write(ready[1], "x", 1);
            for (;;) ::pause();
        }
        char got = 0;
        ::close(ready[1]);
        EXPECT_EQ(::read(ready[0], &got, 1), 1) << "the lock was taken";
        ::close(ready[0]);
    }
    ~LockHolder() {
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
    }

  private:
    pid_t pid_ = -1;
};

std::string savedValue(const fs::path& file) {
    return JsonSettingsStore(file).get("V", "hraci", "LehkaL");
}

TEST(SettingsUnderALockHeldElsewhere, ASaveGoesOnUnlockedAfterItsWait) {
    rttest::TempFolder folder;
    const fs::path file = folder.path() / "settings.json";
    const LockHolder holder(folder.path());
    JsonSettingsStore store(file);
    store.set("V", "hraci", "LehkaL", "1");
    EXPECT_EQ(savedValue(file), "1");
}

// The game waits for the lock in its handler when the signal comes: the game ends, as the
// signal does, with the handler's value saved.
TEST(SettingsUnderALockHeldElsewhere, ASignalEndsTheGameWhileItsSaveWaits) {
    rttest::TempFolder folder;
    const fs::path file = folder.path() / "settings.json";
    const LockHolder holder(folder.path());
    int waiting[2];
    ASSERT_EQ(::pipe(waiting), 0);
    const pid_t game = rttest::startGameProcess(file, [&](JsonSettingsStore& store) {
        ::write(waiting[1], "x", 1);
        store.set("V", "hraci", "LehkaL", "1");  // waits for the lock
    });
    ASSERT_GE(game, 0);
    char got = 0;
    ASSERT_EQ(::read(waiting[0], &got, 1), 1);
    ::kill(game, SIGTERM);
    int status = 0;
    ASSERT_EQ(::waitpid(game, &status, 0), game);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM) << status;
    EXPECT_EQ(savedValue(file), "1");
}

// Another game is saving as this one ends (both get the signal at logout): this game's
// last save waits for that save to finish and merges into it, and neither game's key is
// lost.
TEST(SettingsUnderALockHeldElsewhere, ASaveAsTheGameEndsWaitsForAnotherGamesSave) {
    rttest::TempFolder folder;
    const fs::path file = folder.path() / "settings.json";
    JsonSettingsStore store(file);
    store.holdSaves();
    store.set("V", "hraci", "LehkaL", "1");
    int locked[2];
    ASSERT_EQ(::pipe(locked), 0);
    // The other game has read the file (there is none yet) under the lock, and writes its
    // merge a little later.
    std::thread otherGame([&] {
        const int fd = ::open(folder.path().c_str(), O_RDONLY | O_DIRECTORY);
        if (fd >= 0) ::flock(fd, LOCK_EX);
        ::write(locked[1], "x", 1);
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        settings_file::replaceAtomically(file,
                                         renderSettings({{"V", {{"hraci", {{"TezkaP", "2"}}}}}}));
        if (fd >= 0) ::close(fd);
    });
    char got = 0;
    EXPECT_EQ(::read(locked[0], &got, 1), 1);
    store.saveNow();
    otherGame.join();
    ::close(locked[0]);
    ::close(locked[1]);
    const JsonSettingsStore saved(file);
    EXPECT_EQ(saved.get("V", "hraci", "LehkaL"), "1");
    EXPECT_EQ(saved.get("V", "hraci", "TezkaP"), "2");
}

// A save beyond the file size limit fails like one on a full disk: the game is told and
// goes on, with its values in memory.
TEST(SettingsBeyondTheFileSizeLimit, ASaveFailsAndTheGameGoesOn) {
    rttest::TempFolder folder;
    const fs::path file = folder.path() / "settings.json";
    std::cout.flush();
    const pid_t game = ::fork();
    ASSERT_GE(game, 0);
    if (game == 0) {
        std::ostringstream quiet;
        std::cerr.rdbuf(quiet.rdbuf());
        JsonSettingsStore store(file);
        const struct rlimit limit { 100, 100 };
        ::setrlimit(RLIMIT_FSIZE, &limit);
        store.set("V", "hraci", "LehkaL", std::string(1000, 'x'));
        const bool told = store.takeNotice().find("File too large") != std::string::npos;
        const bool kept = store.get("V", "hraci", "LehkaL").size() == 1000;
        ::_exit(told && kept ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(game, &status, 0), game);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
}

TEST(SettingsFile, ANewFileGetsWhatTheUmaskAllows) {
    for (const mode_t mask : {mode_t{077}, mode_t{022}}) {
        rttest::TempFolder folder;
        const fs::path file = folder.path() / "settings.json";
        const mode_t previous = ::umask(mask);
        JsonSettingsStore(file).set("V", "hraci", "LehkaL", "1");
        ::umask(previous);
        struct stat status {};
        ASSERT_EQ(::stat(file.c_str(), &status), 0);
        EXPECT_EQ(status.st_mode & 0777, 0666 & ~mask) << std::oct << mask;
    }
}

// Names beside the file that look like its damaged copies but that the game never writes
// are neither counted nor removed: the game's own copies are still numbered and pruned.
TEST(SettingsFile, PlantedCopiesDoNotStopThePruning) {
    rttest::TempFolder folder;
    const fs::path file = folder.path() / "settings.json";
    const std::vector<std::string> planted = {"settings.json.corrupt-999999999999",
                                              "settings.json.corrupt-0042",
                                              "settings.json.corrupt-"};
    for (const std::string& name : planted) std::ofstream(folder.path() / name) << "planted";
    {
        const testing::CapturedErrors quiet;
        for (int damage = 1; damage <= 7; ++damage) {
            std::ofstream(file) << "{damaged";
            JsonSettingsStore store(file);
        }
    }
    std::vector<std::string> expected = planted;
    expected.push_back("settings.json");
    for (int kept = 3; kept <= 7; ++kept)
        expected.push_back("settings.json.corrupt-" + std::to_string(kept));
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(testing::folderEntries(folder.path()), expected);
}

// After the last number the copies start again from 1: the new copy is the one the player
// is told of, so it stays, and the oldest copies go, those numbered above it first.
TEST(SettingsFile, AfterTheLastCopyNumberTheNewCopiesAreKept) {
    rttest::TempFolder folder;
    const fs::path file = folder.path() / "settings.json";
    const auto copy = [](long long number) {
        return "settings.json.corrupt-" + std::to_string(number);
    };
    const long long last = settings_file::kLastCopyNumber;
    for (long long number = last - 4; number <= last; ++number)
        std::ofstream(folder.path() / copy(number)) << "older";
    std::vector<std::string> told;
    {
        const testing::CapturedErrors quiet;
        for (int damage = 1; damage <= 2; ++damage) {
            std::ofstream(file) << "{damaged";
            told.push_back(JsonSettingsStore(file).takeNotice());
        }
    }
    std::vector<std::string> expected = {"settings.json", copy(1),        copy(2),
                                         copy(last - 2),  copy(last - 1), copy(last)};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(testing::folderEntries(folder.path()), expected);
    for (int damage = 1; damage <= 2; ++damage)
        EXPECT_NE(told[damage - 1].find("saved as " + (folder.path() / copy(damage)).string()),
                  std::string::npos)
            << told[damage - 1];
}

}  // namespace
}  // namespace vk
