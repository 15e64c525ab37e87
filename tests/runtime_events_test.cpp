// The nested process-pending-events call, pacing points, the end of the program and
// run-time errors nothing catches.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "runtime/errors.h"
#include "runtime/keys.h"
#include "runtime_test_support.h"

namespace vk {
namespace {

using rttest::HookScreen;
using rttest::RuntimeTest;
using Log = std::vector<std::string>;

struct EventControls : ControlSet {
    using ControlSet::ControlSet;
    Control Button{*this,
                   "Button",
                   ControlKind::CommandButton,
                   {.left = 0, .top = 0, .width = 1000, .height = 1000}};
    Timer First{*this, "First", {.interval = 0}};
    Timer Second{*this, "Second", {.interval = 0}};
};

class EventsTest : public RuntimeTest {
  protected:
    HookScreen<EventControls> screen{runtime, "Events"};
    EventControls& ui() { return screen.ui(); }
    void noteDepth(const std::string& what) {
        note(what + " depth " + std::to_string(runtime.nesting()));
    }
};

using RuntimeDoEvents = EventsTest;

TEST_F(RuntimeDoEvents, RunsQueuedInputInsideTheCaller) {
    screen.onKeyDown = [this](int code, int) { note("key " + std::to_string(code)); };
    screen.show();
    const struct {
        bool callDoEvents;
        Log expected;
    } cases[] = {
        {true, {"before@0", "key 65@0", "after@0"}},
        {false, {"before@0", "after@0", "key 65@0"}},  // waits for the top-level loop
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.callDoEvents ? "with doEvents" : "without");
        log.clear();
        runtime.runTopLevel([&] {
            platform.input.post(KeyDownEvent{Key::A, 0});
            note("before");
            if (c.callDoEvents) runtime.doEvents();
            note("after");
        });
        runtime.dispatchPending();
        EXPECT_EQ(log, c.expected);
    }
}

TEST_F(RuntimeDoEvents, RunsTimersDueNowEachOnceEarliestFirst) {
    ui().First.onTimer = [this] { noteDepth("First"); };
    ui().Second.onTimer = [this] { noteDepth("Second"); };
    ui().First.setInterval(50);
    ui().Second.setInterval(90);
    runtime.runTopLevel([this] {
        paceMs(60);
        runtime.doEvents();  // First is due, Second is not
        note("between");
        paceMs(300);  // both overdue: Second was due at 90, First at 100
        runtime.doEvents();
        note("end");
    });
    runtime.dispatchPending();  // nothing more is due at 360
    EXPECT_EQ(log, (Log{"First depth 2@60", "between@60", "Second depth 2@360", "First depth 2@360",
                        "end@360"}));
}

TEST_F(RuntimeDoEvents, TheSameTimerReentersItsOwnHandler) {
    int entries = 0;
    ui().First.onTimer = [&] {
        noteDepth("enter");
        if (++entries < 3) {
            paceMs(20);  // past its own next tick
            runtime.doEvents();
        }
        noteDepth("leave");
    };
    ui().First.setInterval(16);
    advanceMs(20);
    EXPECT_EQ(log, (Log{"enter depth 1@16", "enter depth 2@36", "enter depth 3@56",
                        "leave depth 3@56", "leave depth 2@56", "leave depth 1@56"}));
}

TEST_F(RuntimeDoEvents, RecursionStopsAtTheNestingLimit) {
    // A 1 ms timer whose handler blocks longer than its period and calls doEvents: every
    // level finds the timer due again, until the nesting limit stops the descent.
    int calls = 0, deepest = 0;
    bool recurse = true;
    ui().First.onTimer = [&] {
        // A runaway descent (or one that fans out on the way back) fails instead of hanging.
        if (++calls > 10 * Runtime::kMaxNesting) runtime.endProgram();
        deepest = std::max(deepest, runtime.nesting());
        if (!recurse) return;
        paceMs(20);
        runtime.doEvents();
    };
    ui().First.setInterval(1);
    advanceMs(20);
    EXPECT_EQ(deepest, Runtime::kMaxNesting);
    EXPECT_GE(calls, Runtime::kMaxNesting - 1);
    EXPECT_LE(calls, Runtime::kMaxNesting + 1);
    EXPECT_EQ(runtime.nesting(), 0);
    EXPECT_FALSE(runtime.ended());

    // The timer goes on ticking normally afterwards.
    recurse = false;
    calls = 0;
    advanceMs(100);
    EXPECT_GE(calls, 5);
}

TEST_F(RuntimeDoEvents, AHandlerMayCallItAgainForInputItPosts) {
    screen.onKeyDown = [this](int code, int) {
        noteDepth("key " + std::to_string(code));
        if (code == 1) {
            platform.input.post(KeyDownEvent{2, 0});
            runtime.doEvents();
        }
        noteDepth("done " + std::to_string(code));
    };
    screen.show();
    send(KeyDownEvent{1, 0});
    EXPECT_EQ(log,
              (Log{"key 1 depth 1@0", "key 2 depth 2@0", "done 2 depth 2@0", "done 1 depth 1@0"}));
}

using RuntimePace = EventsTest;

TEST_F(RuntimePace, MovesTheClockAndDispatchesNothing) {
    screen.onKeyDown = [this](int, int) { note("key"); };
    screen.show();
    ui().First.onTimer = [this] { note("tick"); };
    ui().First.setInterval(10);
    const long steps[] = {1, 16, 33, 250};
    runtime.runTopLevel([&] {
        platform.input.post(KeyDownEvent{Key::A, 0});
        for (long step : steps) {
            const long before = nowMs();
            paceMs(step);
            EXPECT_EQ(nowMs() - before, step);
        }
        note("routine ends");
    });
    EXPECT_EQ(platform.pacer.paces(), std::size(steps));
    runtime.dispatchPending();
    EXPECT_EQ(log, (Log{"routine ends@300", "key@300", "tick@300"}));
}

using RuntimeInputSource = EventsTest;

TEST_F(RuntimeInputSource, ArrivesAtTheFirstPointWherePendingEventsRun) {
    screen.onKeyDown = [this](int, int) { noteDepth("key"); };
    screen.show();
    // A key arrives 25 ms into each case; a timer due at 16 ms may work until 46 ms.
    const struct {
        const char* name;
        bool timer, timerLetsEventsRun;
        Log expected;  // at ms from the case's start
    } cases[] = {
        {"nested in the handler", true, true, {"timer@16", "key depth 2@46", "timer done@46"}},
        {"after a blocking handler", true, false, {"timer@16", "timer done@46", "key depth 1@46"}},
        {"at its time, idle", false, false, {"key depth 1@25"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const long start = nowMs();
        log.clear();
        ui().First.onTimer = [&] {
            ui().First.setInterval(0);
            note("timer");
            paceMs(30);
            if (c.timerLetsEventsRun) runtime.doEvents();
            note("timer done");
        };
        if (c.timer) ui().First.setInterval(16);
        platform.input.postAt(runtime.now() + 25 * kMicrosPerMilli, KeyDownEvent{Key::A, 0});
        advanceMs(100);
        Log relative;
        for (const auto& entry : log) {
            const auto at = entry.rfind('@');
            relative.push_back(entry.substr(0, at + 1) +
                               std::to_string(std::stol(entry.substr(at + 1)) - start));
        }
        EXPECT_EQ(relative, c.expected);
    }
}

TEST_F(RuntimeInputSource, ACharacterGoesWhereItsKeyDownWent) {
    HookScreen<EventControls> front{runtime, "Front"};
    enum class KeyDownDoes { Nothing, UnloadsItsScreen, ShowsAnotherInFront };
    const struct {
        const char* name;
        KeyDownDoes keyDown;
        bool typedByTheKey;
        Log expected;
    } cases[] = {
        {"its screen stays", KeyDownDoes::Nothing, true, {"Front down", "Front types x"}},
        {"its screen is gone", KeyDownDoes::UnloadsItsScreen, true, {"Front down"}},
        {"another screen came in front",
         KeyDownDoes::ShowsAnotherInFront,
         true,
         {"Front down", "Front types x"}},
        {"a character of its own",
         KeyDownDoes::UnloadsItsScreen,
         false,
         {"Front down", "Events types x"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        log.clear();
        for (auto* s : {&screen, &front}) {
            s->onKeyPress = [this, s](char key) { log.push_back(s->name() + " types " + key); };
            runtime.runTopLevel([s] { s->show(); });
        }
        front.onKeyDown = [&](int, int) {
            log.push_back("Front down");
            if (c.keyDown == KeyDownDoes::UnloadsItsScreen) front.unload();
            if (c.keyDown == KeyDownDoes::ShowsAnotherInFront) screen.show();
        };
        post(KeyDownEvent{Key::X, 0});
        send(KeyPressEvent{'x', c.typedByTheKey});
        EXPECT_EQ(log, c.expected);
    }
}

// ---- End of the program: each case runs in a world of its own.

struct World {
    explicit World(const std::filesystem::path& folder) : platform(folder) {}
    HeadlessPlatform platform;
    Runtime runtime{platform.platform()};
    HookScreen<EventControls> screen{runtime, "Events"};
    Log log;
    int ticks = 0;

    void advanceMs(long ms) { platform.advance(runtime, ms * kMicrosPerMilli); }
    void send(InputEvent event) {
        platform.input.post(event);
        runtime.dispatchPending();
    }
};

struct EndCase {
    const char* name;
    // Arranges for the program to end (or fail) somewhere and sets it going.
    std::function<void(World&)> run;
};

// Where a routine that ends the program or raises an error can sit.
std::vector<EndCase> deepCases(const std::function<void(World&)>& stop) {
    return {
        {"top-level routine",
         [stop](World& w) {
             w.runtime.runTopLevel([&] {
                 stop(w);
                 w.log.push_back("after in routine");
             });
         }},
        {"timer handler",
         [stop](World& w) {
             w.screen.ui().Second.onTimer = [&w, stop] {
                 stop(w);
                 w.log.push_back("after in timer");
             };
             w.screen.ui().Second.setInterval(30);
             w.advanceMs(40);
         }},
        {"click handler",
         [stop](World& w) {
             w.screen.ui().Button.onClick = [&w, stop] {
                 stop(w);
                 w.log.push_back("after in click");
             };
             w.screen.show();
             w.send(ClickEvent{10, 10});
         }},
        {"key handler inside doEvents inside a timer handler",
         [stop](World& w) {
             w.screen.onKeyDown = [&w, stop](int, int) {
                 stop(w);
                 w.log.push_back("after in key");
             };
             w.screen.show();
             w.screen.ui().Second.onTimer = [&w] {
                 w.platform.input.post(KeyDownEvent{Key::Enter, 0});
                 w.runtime.doEvents();
                 w.log.push_back("after doEvents in timer");
             };
             w.screen.ui().Second.setInterval(30);
             w.advanceMs(40);
         }},
        {"load routine of a screen being shown",
         [stop](World& w) {
             w.screen.onLoad = [&w, stop] {
                 stop(w);
                 w.log.push_back("after in load");
             };
             w.runtime.runTopLevel([&] {
                 w.screen.show();
                 w.log.push_back("after show");
             });
         }},
        {"handler guarding against std::exception",
         [stop](World& w) {
             w.runtime.runTopLevel([&] {
                 try {
                     stop(w);
                 } catch (const std::exception&) {
                     w.log.push_back("swallowed");
                 }
                 w.log.push_back("after guard");
             });
         }},
    };
}

// Afterwards nothing runs: no timer, no input, no routine, no nested call.
void expectNothingRunsAnyMore(World& w) {
    EXPECT_TRUE(w.runtime.ended());
    EXPECT_EQ(w.runtime.nesting(), 0);
    EXPECT_TRUE(w.log.empty()) << w.log.front();

    w.screen.ui().First.onTimer = [&w] { ++w.ticks; };
    w.screen.ui().First.setInterval(16);
    w.advanceMs(1000);
    w.runtime.dispatchPending();
    EXPECT_EQ(w.ticks, 0);

    bool ran = false;
    w.screen.onKeyDown = [&](int, int) { ran = true; };
    w.screen.show();
    w.platform.input.post(KeyDownEvent{Key::A, 0});
    w.runtime.dispatchPending();
    w.runtime.doEvents();
    w.runtime.runTopLevel([&] { ran = true; });
    EXPECT_FALSE(ran);
}

class RuntimeEndProgram : public ::testing::Test {
  protected:
    rttest::TempFolder folder;
};

TEST_F(RuntimeEndProgram, EndsAtOnceFromAnyDepthAndNothingRunsAfterwards) {
    for (const auto& c : deepCases([](World& w) { w.runtime.endProgram(); })) {
        SCOPED_TRACE(c.name);
        World w(folder.path());
        c.run(w);
        EXPECT_TRUE(w.platform.messages.shown().empty());
        expectNothingRunsAnyMore(w);
    }
}

TEST_F(RuntimeEndProgram, EndingInsideAHandlerThatUnloadedItsScreenIsSafe) {
    World w(folder.path());
    w.screen.ui().Second.onTimer = [&w] {
        EventControls& held = w.screen.ui();
        w.screen.unload();
        w.runtime.doEvents();
        EXPECT_EQ(held.Button.name(), "Button");  // still alive here
        w.runtime.endProgram();
    };
    w.screen.ui().Second.setInterval(30);
    w.advanceMs(40);
    EXPECT_TRUE(w.runtime.ended());
    EXPECT_FALSE(w.screen.loaded());
}

// ---- Run-time errors nothing catches.

class RuntimeUnhandledError : public ::testing::Test {
  protected:
    rttest::TempFolder folder;
};

void raiseTypeMismatch(World&) { raise(ErrorNumber::TypeMismatch, "\"abc\""); }

TEST_F(RuntimeUnhandledError, GoesToTheHookAndEndsTheProgram) {
    for (const auto& c : deepCases(raiseTypeMismatch)) {
        SCOPED_TRACE(c.name);
        World w(folder.path());
        std::vector<int> codes;
        std::vector<std::string> details;
        w.runtime.setUnhandledErrorHook([&](const RuntimeError& error) {
            codes.push_back(error.code());
            details.push_back(error.detail());
        });
        c.run(w);
        if (std::string(c.name) == "handler guarding against std::exception") {
            // A run-time error is a std::exception: the game's own guard handles it.
            EXPECT_EQ(w.log, (Log{"swallowed", "after guard"}));
            EXPECT_FALSE(w.runtime.ended());
            continue;
        }
        EXPECT_EQ(codes, (std::vector<int>{13}));
        EXPECT_EQ(details, (std::vector<std::string>{"\"abc\""}));
        EXPECT_TRUE(w.platform.messages.shown().empty());
        expectNothingRunsAnyMore(w);
    }
}

TEST_F(RuntimeUnhandledError, ShowsAnErrorBoxWithoutAHook) {
    const struct {
        ErrorNumber number;
        const char* detail;
        const char* code;
        const char* description;
    } cases[] = {
        {ErrorNumber::FileNotFound, "\\data\\obr\\gone.old", "'53'", "File not found"},
        {ErrorNumber::DivisionByZero, "", "'11'", "Division by zero"},
        {ErrorNumber::Overflow, "", "'6'", "Overflow"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.description);
        World w(folder.path());
        w.runtime.runTopLevel([&] { raise(c.number, c.detail); });
        ASSERT_EQ(w.platform.messages.shown().size(), 1u);
        const auto& box = w.platform.messages.shown().front();
        EXPECT_NE(box.text.find(c.code), std::string::npos) << box.text;
        EXPECT_NE(box.text.find(c.description), std::string::npos) << box.text;
        EXPECT_NE(box.text.find(c.detail), std::string::npos) << box.text;
        EXPECT_EQ(box.buttons, MessageButtons::Ok);
        EXPECT_EQ(box.icon, MessageIcon::Critical);
        expectNothingRunsAnyMore(w);
    }
}

TEST_F(RuntimeUnhandledError, AHookThatFailsOrEndsStillEndsTheProgram) {
    const std::function<void(World&)> hooks[] = {
        [](World& w) { w.runtime.endProgram(); },
        [](World&) { raise(ErrorNumber::Overflow); },
    };
    for (const auto& hook : hooks) {
        World w(folder.path());
        w.runtime.setUnhandledErrorHook([&](const RuntimeError&) { hook(w); });
        w.runtime.runTopLevel([] { raise(ErrorNumber::SubscriptOutOfRange); });
        expectNothingRunsAnyMore(w);
    }
}

}  // namespace
}  // namespace vk
