// Saving under faults: a child process saves settings over and over, alternating two sets
// of values key by key, and is killed with SIGKILL at a random moment, many times.
// Whatever moment the kill hits, the file loads without complaint and holds exactly the
// values of some finished save, never a torn or half-written one.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

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

[[noreturn]] void saveForever(const fs::path& file) {
    JsonSettingsStore store(file);
    for (unsigned round = 1;; ++round)
        for (int key = 0; key < kKeys; ++key)
            store.set(kApp, kSection, keyName(key), kValueSets[round % 2]);
}

using State = std::vector<std::string>;

State valuesOf(const JsonSettingsStore& store) {
    State values;
    for (int key = 0; key < kKeys; ++key) values.push_back(store.get(kApp, kSection, keyName(key)));
    return values;
}

// Every state the child can leave after some number of finished saves, starting from
// `start`: round 1 writes the second set key by key, round 2 the first, and so on; from
// the third round on the states repeat.
bool reachable(const State& start, const State& found) {
    State state = start;
    if (state == found) return true;
    for (unsigned round = 1; round <= 3; ++round)
        for (int key = 0; key < kKeys; ++key) {
            state[static_cast<std::size_t>(key)] = kValueSets[round % 2];
            if (state == found) return true;
        }
    return false;
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
    std::uniform_int_distribution<int> delayMicros(0, 20'000);
    constexpr int kKills = 60;
    State before(kKeys, kValueSets[0]);
    for (int kill = 0; kill < kKills; ++kill) {
        SCOPED_TRACE("kill " + std::to_string(kill));
        std::cout.flush();
        std::cerr.flush();
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) saveForever(file);
        std::this_thread::sleep_for(std::chrono::microseconds(delayMicros(rng)));
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status));

        std::ostringstream errors;
        std::streambuf* previous = std::cerr.rdbuf(errors.rdbuf());
        const JsonSettingsStore reloaded(file);
        std::cerr.rdbuf(previous);
        EXPECT_EQ(errors.str(), "");
        const State found = valuesOf(reloaded);
        EXPECT_TRUE(reachable(before, found)) << "from " << shown(before) << "to " << shown(found);
        before = found;
        ASSERT_FALSE(fs::exists(folder / "settings.json.corrupt"));
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
