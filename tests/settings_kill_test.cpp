// Saving under faults: a child process saves settings over and over, alternating two sets
// of values key by key, tells the test after each finished save, and is killed with
// SIGKILL at a random moment, many times. Whatever moment the kill hits, the file loads
// without complaint and holds exactly the values of the last save the child finished (or
// of the one it was finishing), never a torn or half-written one: no save is ever lost.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <iostream>
#include <random>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "runtime/settings_json.h"

namespace vk {
namespace {

namespace fs = std::filesystem;

constexpr int kKeys = 6;
const std::string kApp = "Vorkala", kSection = "hraci";
const std::string kValueSets[2] = {"12", "345678"};

std::string keyName(int key) { return "pocitadlo.key" + std::to_string(key); }

// The value the n-th save (from 1) of a child writes, and its key.
int keyOfSave(long save) { return static_cast<int>((save - 1) % kKeys); }
const std::string& valueOfSave(long save) { return kValueSets[((save - 1) / kKeys + 1) % 2]; }

[[noreturn]] void saveForever(const fs::path& file, int finished) {
    JsonSettingsStore store(file);
    for (long save = 1;; ++save) {
        store.set(kApp, kSection, keyName(keyOfSave(save)), valueOfSave(save));
        if (::write(finished, "s", 1) != 1) ::_exit(1);
    }
}

using State = std::vector<std::string>;

State valuesOf(const JsonSettingsStore& store) {
    State values;
    for (int key = 0; key < kKeys; ++key) values.push_back(store.get(kApp, kSection, keyName(key)));
    return values;
}

State afterSaves(State state, long saves) {
    for (long save = 1; save <= saves; ++save)
        state[static_cast<std::size_t>(keyOfSave(save))] = valueOfSave(save);
    return state;
}

// How many bytes the child wrote before it died: one per finished save.
long countFinished(int readEnd) {
    long count = 0;
    char buffer[4096];
    for (ssize_t got; (got = ::read(readEnd, buffer, sizeof buffer)) != 0;) {
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) break;
        count += got;
    }
    return count;
}

std::string shown(const State& state) {
    std::ostringstream out;
    for (const auto& value : state) out << '"' << value << "\" ";
    return out.str();
}

TEST(SettingsUnderKill, EveryKillLeavesTheOldOrTheNewValues) {
    const fs::path folder =
        fs::temp_directory_path() / ("vorkala-kill-" + std::to_string(::getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    const fs::path file = folder / "settings.json";
    {
        JsonSettingsStore first(file);
        for (int key = 0; key < kKeys; ++key)
            first.set(kApp, kSection, keyName(key), kValueSets[0]);
    }
    std::mt19937 rng(20240917);
    // The kill comes a random time after a random number of finished saves, so that it
    // hits every step of a save, also late in a child's life.
    std::uniform_int_distribution<long> savesFirst(0, kKeys + 2);
    std::uniform_int_distribution<int> delayMicros(0, 5'000);
    constexpr int kKills = 60;
    State before(kKeys, kValueSets[0]);
    for (int kill = 0; kill < kKills; ++kill) {
        SCOPED_TRACE("kill " + std::to_string(kill));
        std::cout.flush();
        std::cerr.flush();
        int finished[2];
        ASSERT_EQ(::pipe(finished), 0);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::close(finished[0]);
            saveForever(file, finished[1]);
        }
        ::close(finished[1]);
        const long waitFor = savesFirst(rng);
        char report = 0;
        for (long save = 0; save < waitFor && ::read(finished[0], &report, 1) == 1; ++save) {
        }
        std::this_thread::sleep_for(std::chrono::microseconds(delayMicros(rng)));
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status));
        const long saves = waitFor + countFinished(finished[0]);
        ::close(finished[0]);

        std::ostringstream errors;
        std::streambuf* previous = std::cerr.rdbuf(errors.rdbuf());
        const JsonSettingsStore reloaded(file);
        std::cerr.rdbuf(previous);
        EXPECT_EQ(errors.str(), "");
        const State found = valuesOf(reloaded);
        EXPECT_TRUE(found == afterSaves(before, saves) || found == afterSaves(before, saves + 1))
            << "from " << shown(before) << "after " << saves << " saves: " << shown(found);
        before = found;
    }
    // The killed saves' temporary files are cleared away by later loads.
    int leftovers = 0;
    for (const auto& entry : fs::directory_iterator(folder))
        leftovers += entry.path().filename() != "settings.json";
    EXPECT_EQ(leftovers, 0);
    fs::remove_all(folder);
}

}  // namespace
}  // namespace vk
