// Timers on the virtual clock: when they tick, in which order, and what stops them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime_test_support.h"

namespace vk {
namespace {

using rttest::HookScreen;
using rttest::RuntimeTest;
using Ticks = std::vector<long>;

// Declared in this order on purpose: the slow timer is created first, the two fast ones
// are due together.
struct ClockControls : ControlSet {
    using ControlSet::ControlSet;
    Timer Slow{*this, "Slow", {.interval = 0}};
    Timer Fast{*this, "Fast", {.interval = 0}};
    Timer Twin{*this, "Twin", {.interval = 0}};
    Timer Design50{*this, "Design50", {.interval = 50}};
    Timer Asleep{*this, "Asleep", {.enabled = false, .interval = 40}};
};

class RuntimeTimers : public RuntimeTest {
  protected:
    HookScreen<ClockControls> screen{runtime, "Clock"};
    std::vector<std::string> names;                      // which timers tick, in order
    std::vector<long> slow, fast, twin, design, asleep;  // tick times in ms

    void SetUp() override {
        screen.bind = [this](ClockControls& c) {
            c.Slow.onTimer = [this] { tick("Slow", slow); };
            c.Fast.onTimer = [this] { tick("Fast", fast); };
            c.Twin.onTimer = [this] { tick("Twin", twin); };
            c.Design50.onTimer = [this] { tick("Design50", design); };
            c.Asleep.onTimer = [this] { tick("Asleep", asleep); };
        };
    }
    void tick(const char* name, std::vector<long>& times) {
        names.push_back(name);
        times.push_back(nowMs());
    }
    ClockControls& ui() { return screen.ui(); }
};

TEST_F(RuntimeTimers, TicksEveryIntervalAndShortPeriodsAtTheResolution) {
    const struct {
        int interval;
        long resolutionMs;  // 0: leave as it is (the default until a case sets one)
        long runMs;
        Ticks expected;
    } cases[] = {
        {50, 0, 170, {50, 100, 150}},
        {17, 0, 60, {17, 34, 51}},
        {16, 0, 50, {16, 32, 48}},
        {1, 0, 50, {16, 32, 48}},   // shorter than the default 16 ms resolution
        {10, 0, 50, {16, 32, 48}},  // likewise
        {5, 1, 21, {5, 10, 15, 20}},
        {5, 8, 30, {8, 16, 24}},
        {0, 0, 500, {}},   // 0 stops the timer
        {-5, 0, 500, {}},  // so does anything below 0
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("interval " + std::to_string(c.interval) + " resolution " +
                     std::to_string(c.resolutionMs));
        if (c.resolutionMs) runtime.timers().setResolution(c.resolutionMs * kMicrosPerMilli);
        fast.clear();
        const long start = nowMs();
        ui().Fast.setInterval(c.interval);
        advanceMs(c.runMs);
        Ticks relative;
        for (long t : fast) relative.push_back(t - start);
        EXPECT_EQ(relative, c.expected);
        ui().Fast.setInterval(0);
    }
}

TEST_F(RuntimeTimers, TicksOnlyWhileItsScreenIsLoaded) {
    advanceMs(200);  // never touched: not loaded, so its design timer does not run
    EXPECT_TRUE(design.empty());
    EXPECT_FALSE(screen.loaded());

    screen.load();  // loaded but never shown still ticks
    EXPECT_FALSE(screen.visible());
    advanceMs(120);
    EXPECT_EQ(design, (Ticks{250, 300}));

    screen.unload();
    advanceMs(200);
    EXPECT_EQ(design, (Ticks{250, 300}));
}

TEST_F(RuntimeTimers, ReloadRestartsTimersFromDesignState) {
    screen.onLoad = [this] {
        if (screen.loads == 1) ui().Design50.setInterval(20);  // only the first load
    };
    screen.show();
    advanceMs(45);
    EXPECT_EQ(design, (Ticks{20, 40}));

    screen.unload();
    advanceMs(55);  // t = 100
    screen.show();
    EXPECT_EQ(ui().Design50.interval(), 50);
    advanceMs(110);
    EXPECT_EQ(design, (Ticks{20, 40, 150, 200}));
}

TEST_F(RuntimeTimers, AssigningIntervalRestartsTheCountdown) {
    const struct {
        const char* name;
        long assignAtMs;
        int newInterval;
        Ticks expected;  // ticks of Design50 up to 200 ms
    } cases[] = {
        {"same value", 30, 50, {80, 130, 180}},
        {"shorter", 70, 20, {50, 90, 110, 130, 150, 170, 190}},
        {"longer", 60, 100, {50, 160}},
        {"zero stops", 60, 0, {50}},
        {"just after a tick", 50, 50, {50, 100, 150, 200}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        screen.unload();
        design.clear();
        const long start = nowMs();
        screen.load();
        advanceMs(c.assignAtMs);
        ui().Design50.setInterval(c.newInterval);
        advanceMs(200 - c.assignAtMs);
        Ticks relative;
        for (long t : design) relative.push_back(t - start);
        EXPECT_EQ(relative, c.expected);
    }
}

TEST_F(RuntimeTimers, EnabledStopsAndSwitchingOnRestartsTheCountdown) {
    screen.load();
    for (long t = 10; t <= 120; t += 10) {
        ui().Design50.setEnabled(true);  // already on, again and again: keeps its cadence
        advanceMs(10);
    }
    ui().Design50.setEnabled(false);  // t = 120
    advanceMs(100);                   // t = 220
    EXPECT_FALSE(ui().Design50.running());
    ui().Design50.setEnabled(true);
    advanceMs(60);
    EXPECT_EQ(design, (Ticks{50, 100, 270}));

    // Disabled in design: silent until enabled, then counts from that moment.
    EXPECT_TRUE(asleep.empty());
    ui().Asleep.setEnabled(true);
    advanceMs(85);
    EXPECT_EQ(asleep, (Ticks{320, 360}));
}

TEST_F(RuntimeTimers, PropertiesByNameActLikeTheAccessors) {
    screen.load();
    EXPECT_EQ(ui().Design50.property("Interval"), "50");
    EXPECT_TRUE(ui().Design50.setProperty("Interval", "25"));
    advanceMs(60);
    EXPECT_EQ(design, (Ticks{25, 50}));
    EXPECT_TRUE(ui().Design50.setProperty("Enabled", "False"));
    EXPECT_EQ(ui().Design50.property("Enabled"), "False");
    advanceMs(100);
    EXPECT_EQ(design, (Ticks{25, 50}));
}

TEST_F(RuntimeTimers, AnOverdueTimerTicksOnce) {
    // A blocking routine holds the loop for many periods; afterwards the timer ticks once
    // and not once per missed period.
    screen.load();
    runtime.runTopLevel([this] { paceMs(520); });
    runtime.dispatchPending();
    EXPECT_EQ(design, (Ticks{520}));
    runtime.dispatchPending();
    EXPECT_EQ(design, (Ticks{520}));

    // Likewise when its own handler blocks the loop.
    design.clear();
    ui().Design50.onTimer = [this] {
        tick("Design50", design);
        if (design.size() == 1) paceMs(175);
    };
    ui().Design50.setInterval(50);  // restarts at 520: due at 570
    advanceMs(100);                 // the first tick blocks until 745
    EXPECT_EQ(design, (Ticks{570, 745}));
    advanceMs(100);
    ASSERT_GE(design.size(), 3u);
    EXPECT_GE(design[2], 770);  // then a full period again
}

TEST_F(RuntimeTimers, EarliestDueFiresFirstTiesInCreationOrder) {
    screen.load();
    ui().Design50.setEnabled(false);
    ui().Slow.setInterval(60);
    ui().Fast.setInterval(40);
    ui().Twin.setInterval(40);

    // Stepping through time: at 120 all three are due together.
    advanceMs(120);
    EXPECT_EQ(names, (std::vector<std::string>{"Fast", "Twin", "Slow", "Fast", "Twin", "Slow",
                                               "Fast", "Twin"}));
    EXPECT_EQ(slow, (Ticks{60, 120}));
    EXPECT_EQ(fast, (Ticks{40, 80, 120}));

    // After a blocking routine all are overdue: earliest due first, each once.
    names.clear();
    ui().Slow.setInterval(30);  // due at 150
    ui().Twin.setInterval(10);  // shorter than the resolution: due at 136
    // Fast stays due at 160.
    runtime.runTopLevel([this] { paceMs(300); });
    runtime.dispatchPending();
    EXPECT_EQ(names, (std::vector<std::string>{"Twin", "Slow", "Fast"}));
}

TEST_F(RuntimeTimers, TicksAcrossScreensInOrderOfDueTime) {
    HookScreen<ClockControls> other{runtime, "Other"};
    other.bind = [this](ClockControls& c) {
        c.Design50.onTimer = [this] { names.push_back("Other"); };
    };
    screen.load();
    advanceMs(10);
    other.load();  // its design timer is due 10 ms later than ours
    advanceMs(95);
    EXPECT_EQ(names, (std::vector<std::string>{"Design50", "Other", "Design50"}));
    other.unload();
}

TEST_F(RuntimeTimers, NoTickInterruptsARunningRoutine) {
    screen.load();
    ui().Fast.setInterval(20);
    ui().Slow.onTimer = [this] {
        note("slow begins");
        for (int i = 0; i < 10; ++i) paceMs(10);  // blocks 100 ms without giving way
        note("slow ends");
    };
    ui().Fast.onTimer = [this] { note("fast"); };
    ui().Slow.setInterval(30);
    ui().Design50.setEnabled(false);
    advanceMs(45);
    // Slow ran 30..130; Fast was due at 40 but waited for it to end.
    ASSERT_GE(log.size(), 4u);
    EXPECT_EQ(log[0], "fast@20");
    EXPECT_EQ(log[1], "slow begins@30");
    EXPECT_EQ(log[2], "slow ends@130");
    EXPECT_EQ(log[3], "fast@130");

    // The same for a top-level routine: pacing alone dispatches nothing.
    ui().Slow.setInterval(0);
    log.clear();
    runtime.runTopLevel([this] {
        for (int i = 0; i < 5; ++i) paceMs(20);
        note("routine ends");
    });
    EXPECT_EQ(log, (std::vector<std::string>{"routine ends@230"}));
}

TEST_F(RuntimeTimers, HandlerAssignmentsOverrideTheBookedTick) {
    screen.load();
    ui().Design50.onTimer = [this] {
        tick("Design50", design);
        if (design.size() == 1) ui().Design50.setInterval(100);  // next at 150, not 100
        if (design.size() == 3) ui().Design50.setEnabled(false);
    };
    advanceMs(400);
    EXPECT_EQ(design, (Ticks{50, 150, 250}));
}

TEST_F(RuntimeTimers, ATimerThatUnloadsItsScreenStops) {
    screen.load();
    ui().Design50.onTimer = [this] {
        tick("Design50", design);
        Timer& self = ui().Design50;
        screen.unload();
        // The timer object outlives its own handler even though its screen is gone.
        EXPECT_EQ(self.interval(), 50);
        EXPECT_FALSE(self.running());
    };
    advanceMs(300);
    EXPECT_EQ(design, (Ticks{50}));
    EXPECT_FALSE(screen.loaded());
}

}  // namespace
}  // namespace vk
