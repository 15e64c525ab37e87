// Held blows to the knock-out, played through the selection screen and the keyboard, with
// keys that never repeat nor are released, by two humans or against the computer. However
// deep the blows nest inside each other's hit reactions, the knock-out comes with the
// reaction of the blow that earned it: no later blow lands, so the loser takes no more
// hits than its energy allows, at any nesting limit of the runtime.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "audio_records.h"
#include "runtime/data_files.h"
#include "runtime/keys.h"
#include "runtime/values.h"
#include "whole_game.h"

namespace vorkala::testing {
namespace {

using C = VyberpostavControls;

// Low kicks are H and End, high punches T and Insert.
constexpr int kH = vk::Key::H, kT = vk::Key::T, kInsert = vk::Key::Insert, kEnd = vk::Key::End;
constexpr double kStrength = 2;  // a blow from the ground, either side

struct Scenario {
    const char* name;
    // The computer's toggle and difficulty button; nullptr: two humans.
    vk::Control C::*computer;
    vk::Control C::*difficulty;
    std::vector<int> heldKeys;
    double leftEnergy, rightEnergy;
};

void PrintTo(const Scenario& s, std::ostream* out) { *out << s.name; }

struct Outcome {
    long hitsOnLeft = 0, hitsOnRight = 0;
    std::string leftEnergy, rightEnergy;
    long sequences = 0;
    bool operator==(const Outcome&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Outcome& o) {
    return out << o.hitsOnLeft << " hits on the left, " << o.hitsOnRight << " on the right, "
               << "energies " << o.leftEnergy << " / " << o.rightEnergy << ", " << o.sequences
               << " finishing sequences";
}

// Every landed blow's reaction restarts the victim's hit sound; nothing else closes it.
long hitsOn(const vk::RecordingAudio& audio, const std::string& hitSound) {
    const auto commands = commandsOf(audio, hitSound);
    return std::count(commands.begin(), commands.end(), "close");
}

// Runs `f` with all but `limit` of the runtime's nesting levels taken, as if its nesting
// limit were `limit`.
void underNestingLimit(vk::Runtime& runtime, int limit, const std::function<void()>& f) {
    if (limit >= vk::Runtime::kMaxNesting) return f();
    runtime.runTopLevel([&] { underNestingLimit(runtime, limit + 1, f); });
}

// Both fighters picked and the round started; then the energies are set, the fighters
// put in reach and the keys pressed, until the after-fight screen shows.
Outcome play(const Scenario& s, int limit) {
    WholeGame g(vk::defaultProgramFolder());
    g.headless.display.setDesktop(1024, 768);
    g.startToSelection();
    auto& selection = g.game.vyberpostav().ui();
    if (s.computer) {
        g.click(selection.*s.computer);
        g.click(selection.*s.difficulty);
    }
    g.pick("pz2");
    g.pick("pz");
    auto& fight = g.game.boj().ui();
    EXPECT_TRUE(g.runUntil([&] { return WholeGame::showing(g.game.boj()); }, 7000));
    EXPECT_TRUE(g.runUntil([&] { return fight.prvni.enabled(); }, 6000));
    g.runtime.runTopLevel([&] {
        vk::setCaptionValue(fight.ziv1, s.leftEnergy);
        vk::setCaptionValue(fight.ziv2, s.rightEnergy);
        fight.prvni.setLeft(5000);
        fight.druhej.setLeft(7000);
    });
    g.headless.audio.takeCommands();
    underNestingLimit(g.runtime, limit, [&] {
        for (int key : s.heldKeys) g.post(vk::KeyDownEvent{key, 0});
        g.runUntil([&] { return WholeGame::showing(g.game.drzky()); }, kLongestFightMs);
    });
    EXPECT_TRUE(WholeGame::showing(g.game.drzky()));
    return {hitsOn(g.headless.audio, "boj.MMControl3"), hitsOn(g.headless.audio, "boj.MMControl5"),
            fight.ziv1.caption(), fight.ziv2.caption(),
            startsOf(g.headless.audio, "boj.MMControl1")};
}

class HeldBlows : public ::testing::TestWithParam<Scenario> {};

TEST_P(HeldBlows, KnockOutComesWithTheBlowThatEarnsItAtEveryNestingLimit) {
    const Scenario& s = GetParam();
    const Outcome atTheLimit = play(s, vk::Runtime::kMaxNesting);
    for (int limit : {vk::Runtime::kMaxNesting, 100, 20, 5}) {
        SCOPED_TRACE("nesting limit " + std::to_string(limit));
        const Outcome o = limit == vk::Runtime::kMaxNesting ? atTheLimit : play(s, limit);
        EXPECT_EQ(o.sequences, 1) << o;
        const bool leftLost = o.leftEnergy == "-25";
        ASSERT_TRUE(leftLost || o.rightEnergy == "-25") << o;
        // From the ground a blow takes 2, from the air 4: the blow that takes the energy
        // below 0 is the last to land.
        const double energy = leftLost ? s.leftEnergy : s.rightEnergy;
        const long hits = leftLost ? o.hitsOnLeft : o.hitsOnRight;
        EXPECT_GE(hits, 1) << o;
        EXPECT_LE(hits, static_cast<long>(energy / kStrength) + 1) << o;
        // The blows nest less than 100 levels deep in these fights, so a limit of 100
        // changes nothing in them.
        if (limit >= 100) {
            EXPECT_EQ(o, atTheLimit);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Fights, HeldBlows,
    ::testing::Values(Scenario{"RightKickAgainstThree", nullptr, nullptr, {kEnd}, 3, 50},
                      Scenario{"LeftKickAgainstThree", nullptr, nullptr, {kH}, 50, 3},
                      Scenario{"BothKicks", nullptr, nullptr, {kH, kEnd}, 50, 50},
                      Scenario{"BothKicksLeftLow", nullptr, nullptr, {kH, kEnd}, 3, 50},
                      Scenario{"BothPunches", nullptr, nullptr, {kT, kInsert}, 5, 5},
                      Scenario{"EasyLeftComputer", &C::Image2, &C::Image4, {kEnd}, 3, 50},
                      Scenario{"MediumLeftComputer", &C::Image2, &C::Image5, {kEnd}, 3, 50},
                      Scenario{"HardLeftComputer", &C::Image2, &C::Image6, {kEnd}, 3, 50}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vorkala::testing
