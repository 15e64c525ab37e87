// The display restore table and the random number routine.
#include <optional>
#include <ostream>
#include <set>
#include <string>
#include <utility>

#include "game_fixture.h"
#include "progress/pocitadlo.h"
#include "runtime/errors.h"
#include "shell/module.h"

namespace vorkala::testing {
namespace {

struct RestoreCase {
    std::string width, height;
    std::optional<std::pair<int, int>> restored;
};

void PrintTo(const RestoreCase& c, std::ostream* os) { *os << c.width << "x" << c.height; }

class RestoreDisplayModeTest : public GameFixture,
                               public ::testing::WithParamInterface<RestoreCase> {};

TEST_P(RestoreDisplayModeTest, SwitchesBackToKnownDesktopModesOnly) {
    const RestoreCase& c = GetParam();
    auto& store = game.pocitadlo().ui();
    store.sirka.setCaption(c.width);
    store.vyska.setCaption(c.height);
    RestoreDisplayMode(game);
    const auto& changes = headless.display.changes();
    if (c.restored) {
        ASSERT_EQ(changes.size(), 1u);
        EXPECT_EQ(changes[0], *c.restored);
    } else {
        EXPECT_TRUE(changes.empty());
    }
}

// Known modes by their width and height; a few widths know only one height.
INSTANTIATE_TEST_SUITE_P(Modes, RestoreDisplayModeTest,
                         ::testing::Values(RestoreCase{"640", "400", std::pair{640, 480}},
                                           RestoreCase{"1152", "900", std::pair{1152, 864}},
                                           RestoreCase{"1280", "800", std::pair{1280, 800}},
                                           RestoreCase{"1680", "1050", std::pair{1680, 1050}},
                                           RestoreCase{"1280", "720", std::nullopt},
                                           RestoreCase{"1680", "1200", std::nullopt},
                                           RestoreCase{"1024.5", "768", std::nullopt}));

TEST_F(GameFixture, RestoreReadsTheHeightEvenWhenTheWidthAloneDecides) {
    auto& store = game.pocitadlo().ui();
    store.sirka.setCaption("640");
    store.vyska.setCaption("vyska");
    try {
        RestoreDisplayMode(game);
        FAIL() << "a height that is not a number must raise a type mismatch";
    } catch (const vk::RuntimeError& e) {
        EXPECT_EQ(e.number(), vk::ErrorNumber::TypeMismatch);
    }
    // Row 1 had already switched before a later row read the height.
    ASSERT_EQ(headless.display.changes().size(), 1u);
    EXPECT_EQ(headless.display.changes()[0], std::pair(640, 480));
}

struct RandomCase {
    double lo, hi;
};

void PrintTo(const RandomCase& c, std::ostream* os) { *os << c.lo << ".." << c.hi; }

class RandomInRangeTest : public ::testing::TestWithParam<RandomCase> {};

TEST_P(RandomInRangeTest, StaysWithinBoundsAndReachesBothEnds) {
    const auto [lo, hi] = GetParam();
    vk::VirtualClock clock;
    std::set<float> seen;
    for (int i = 0; i < 20000; ++i) {
        clock.advance(vk::kMicrosPerMilli);
        const float r = RandomInRange(clock, lo, hi);
        ASSERT_GE(r, lo);
        ASSERT_LE(r, hi);
        ASSERT_EQ(r, static_cast<float>(static_cast<int>(r))) << "whole numbers only";
        seen.insert(r);
    }
    EXPECT_EQ(seen.size(), static_cast<std::size_t>(hi - lo + 1));
}

INSTANTIATE_TEST_SUITE_P(TheGamesRanges, RandomInRangeTest,
                         ::testing::Values(RandomCase{1, 10}, RandomCase{1, 100}));

TEST(RandomInRange, ReseedsFromTheClockOnEveryCall) {
    vk::VirtualClock clock;
    clock.advance(5 * vk::kMicrosPerMilli);
    const float first = RandomInRange(clock, 1, 100);
    EXPECT_EQ(RandomInRange(clock, 1, 100), first) << "same clock value, same number";
    std::set<float> later;
    for (int i = 0; i < 50; ++i) {
        clock.advance(vk::kMicrosPerMilli);
        later.insert(RandomInRange(clock, 1, 100));
    }
    EXPECT_GT(later.size(), 10u) << "a moving clock gives varied numbers";
}

}  // namespace
}  // namespace vorkala::testing
