// Screens: loading, the active screen, unloading while a handler runs, input dispatch and
// text boxes.
#include <gtest/gtest.h>

#include <cctype>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "runtime/errors.h"
#include "runtime/keys.h"
#include "runtime/sound_channel.h"
#include "runtime_test_support.h"

namespace vk {
namespace {

using rttest::HookScreen;
using rttest::RuntimeTest;
using Log = std::vector<std::string>;

// Design order is z-order: Front lies over part of Back, Cover (a shape) over everything.
struct FormControls : ControlSet {
    using ControlSet::ControlSet;
    Control Back{
        *this, "Back", ControlKind::Image, {.left = 0, .top = 0, .width = 1000, .height = 1000}};
    Control Front{*this,
                  "Front",
                  ControlKind::CommandButton,
                  {.left = 500, .top = 500, .width = 1000, .height = 1000, .caption = "OK"}};
    Control Name{*this,
                 "Name",
                 ControlKind::TextBox,
                 {.left = 3000, .top = 0, .width = 1000, .height = 300, .text = "Ann"}};
    Control Code{*this,
                 "Code",
                 ControlKind::TextBox,
                 {.left = 3000, .top = 500, .width = 1000, .height = 300}};
    Control Title{*this,
                  "Title",
                  ControlKind::Label,
                  {.left = 5000,
                   .top = 0,
                   .width = 2000,
                   .height = 300,
                   .caption = "Title",
                   .foreColor = 0x0000FF}};
    Control Cover{
        *this, "Cover", ControlKind::Shape, {.left = 0, .top = 0, .width = 12000, .height = 9000}};
    Timer Blink{*this, "Blink", {.interval = 40}};
    SoundChannel Beep{*this, "Beep"};
};

class ScreensTest : public RuntimeTest {
  public:  // the tables of cases reach in
    HookScreen<FormControls> screen{runtime, "Form"};
    FormControls& ui() { return screen.ui(); }

    // Every control notes its clicks and changes under its screen's name.
    static void noteEvents(HookScreen<FormControls>& s, Log& log) {
        s.bind = [&s, &log](FormControls& c) {
            for (Control* control : c.all()) {
                const std::string who = s.name() + "." + control->name();
                control->onClick = [&log, who] { log.push_back("click " + who); };
                control->onChange = [&log, control, who] {
                    log.push_back("change " + who + " " + control->text());
                };
            }
        };
        s.onKeyDown = [&s, &log](int code, int shift) {
            log.push_back(s.name() + " down " + std::to_string(code) + " " + std::to_string(shift));
        };
        s.onKeyUp = [&s, &log](int code, int shift) {
            log.push_back(s.name() + " up " + std::to_string(code) + " " + std::to_string(shift));
        };
        s.onKeyPress = [&s, &log](char key) { log.push_back(s.name() + " press " + key); };
    }
    // Keys reach the form when no text box can take them.
    static void withoutTextBoxes(HookScreen<FormControls>& s) {
        s.onLoad = [&s] {
            s.ui().Name.setEnabled(false);
            s.ui().Code.setVisible(false);
        };
    }
};

// ---- Loading and showing

using RuntimeScreens = ScreensTest;

TEST_F(RuntimeScreens, FirstTouchLoadsBeforeTheAccessCompletes) {
    bool loadedDuringLoad = false;
    screen.onLoad = [&] {
        loadedDuringLoad = screen.loaded();
        ui().Title.setCaption("Loaded");  // the load routine may use its own controls
    };
    EXPECT_FALSE(screen.loaded());
    EXPECT_EQ(screen.controlsIfLoaded(), nullptr);
    EXPECT_EQ(ui().Title.caption(), "Loaded");
    EXPECT_TRUE(loadedDuringLoad);
    EXPECT_EQ(screen.loads, 1);
    EXPECT_FALSE(screen.visible());  // touching does not show

    ui().Title.setCaption("Touched");
    screen.show();  // already loaded: no second load
    EXPECT_EQ(screen.loads, 1);
    EXPECT_TRUE(screen.visible());
    EXPECT_EQ(ui().Title.caption(), "Touched");
}

TEST_F(RuntimeScreens, ControlsComeBackAtDesignStateScreenVariablesStay) {
    const struct {
        const char* control;
        const char* property;
        const char* changed;
    } cases[] = {
        {"Back", "Left", "123"},       {"Front", "Caption", "Cancel"},
        {"Name", "Text", "Bob"},       {"Front", "Visible", "False"},
        {"Front", "Enabled", "False"}, {"Title", "ForeColor", "65280"},
        {"Title", "Width", "10"},      {"Blink", "Interval", "500"},
    };
    screen.show();
    std::vector<std::string> design;
    for (const auto& c : cases) {
        Control* control = ui().find(c.control);
        ASSERT_NE(control, nullptr) << c.control;
        design.push_back(control->property(c.property).value_or("?"));
        ASSERT_TRUE(control->setProperty(c.property, c.changed)) << c.property;
        ASSERT_EQ(control->property(c.property), c.changed) << c.property;
    }
    screen.unload();
    EXPECT_FALSE(screen.loaded());
    EXPECT_FALSE(screen.visible());
    screen.show();
    EXPECT_EQ(screen.loads, 2);  // a screen-level variable keeps its value
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(std::string(cases[i].control) + "." + cases[i].property);
        EXPECT_EQ(ui().find(cases[i].control)->property(cases[i].property), design[i]);
    }
}

TEST_F(RuntimeScreens, TheActiveScreenIsTheOneShownLastThatIsStillLoaded) {
    HookScreen<FormControls> a{runtime, "A"}, b{runtime, "B"}, c{runtime, "C"};
    using Screens = std::vector<Screen*>;
    const struct {
        const char* step;
        std::function<void()> action;
        Screen* active;
        Screens visible;
    } steps[] = {
        {"show A", [&] { a.show(); }, &a, {&a}},
        {"show B", [&] { b.show(); }, &b, {&a, &b}},
        {"load C", [&] { c.load(); }, &b, {&a, &b}},
        {"show A again", [&] { a.show(); }, &a, {&b, &a}},
        {"unload A", [&] { a.unload(); }, &b, {&b}},
        {"show C", [&] { c.show(); }, &c, {&b, &c}},
        {"unload C", [&] { c.unload(); }, &b, {&b}},
        {"unload B", [&] { b.unload(); }, nullptr, {}},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(s.step);
        s.action();
        EXPECT_EQ(runtime.activeScreen(), s.active);
        EXPECT_EQ(runtime.visibleScreens(), s.visible);
    }
    EXPECT_EQ(runtime.findScreen("B"), &b);
    EXPECT_EQ(runtime.findScreen("D"), nullptr);
}

TEST_F(RuntimeScreens, ALoadRoutineThatUnloadsItsScreen) {
    screen.onLoad = [this] { screen.unload(); };
    runtime.runTopLevel([this] { screen.show(); });
    EXPECT_FALSE(screen.loaded());
    EXPECT_FALSE(screen.visible());
    EXPECT_EQ(runtime.activeScreen(), nullptr);
    EXPECT_FALSE(runtime.ended());

    // Reaching for a control finds no screen to reach into.
    std::optional<int> code;
    runtime.setUnhandledErrorHook([&](const RuntimeError& error) { code = error.code(); });
    runtime.runTopLevel([this] { ui().Title.setCaption("x"); });
    EXPECT_EQ(code, 364);
    EXPECT_FALSE(screen.loaded());
}

// ---- Unloading while a handler of the screen still runs

using RuntimeUnload = ScreensTest;

// Where a routine that unloads its own screen can sit: each entry hands the routine to
// an event and lets the runtime dispatch it.
struct Entry {
    const char* name;
    std::function<void(ScreensTest&, std::function<void()>)> run;
    Log expected;
};

TEST_F(RuntimeUnload, AHandlerKeepsUsingItsControlsAfterUnloadingItsScreen) {
    const Entry entries[] = {
        {"click",
         [](ScreensTest& t, std::function<void()> routine) {
             t.ui().Front.onClick = routine;
             t.clickAt(600, 600);
         },
         {"handler reads Title Ann"}},
        {"timer",
         [](ScreensTest& t, std::function<void()> routine) {
             t.ui().Blink.onTimer = routine;
             t.advanceMs(40);
         },
         {"handler reads Title Ann"}},
        {"typing in a text box",
         [](ScreensTest& t, std::function<void()> routine) {
             t.ui().Name.onChange = routine;
             t.type("x");
         },
         {"handler reads Title Annx"}},
        {"form key",
         [](ScreensTest& t, std::function<void()> routine) {
             t.screen.preview = true;
             t.screen.onKeyDown = [routine](int, int) { routine(); };
             t.send(KeyDownEvent{Key::Escape, 0});
         },
         {"handler reads Title Ann"}},
        {"click inside doEvents inside a timer",
         [](ScreensTest& t, std::function<void()> routine) {
             t.ui().Front.onClick = routine;
             t.ui().Blink.onTimer = [&t] {
                 FormControls& held = t.ui();
                 t.post(ClickEvent{600, 600});
                 t.runtime.doEvents();
                 t.log.push_back("timer reads " + held.Title.caption());
             };
             t.advanceMs(40);
         },
         {"handler reads Title Ann", "timer reads Title Ann"}},
    };
    for (const auto& e : entries) {
        SCOPED_TRACE(e.name);
        screen.unload();
        screen.preview = false;
        log.clear();
        screen.show();
        e.run(*this, [this] {
            FormControls& held = ui();
            screen.unload();
            // Everything the routine holds is still there to read and write.
            held.Title.setCaption(held.Title.caption() + " " + held.Name.text());
            held.Blink.setInterval(held.Blink.interval() + 1);
            held.Front.setVisible(false);
            log.push_back("handler reads " + held.Title.caption());
        });
        EXPECT_EQ(log, e.expected);
        EXPECT_FALSE(screen.loaded());
        EXPECT_EQ(runtime.activeScreen(), nullptr);
        // Loading again brings design state back, nothing of the discarded set.
        EXPECT_EQ(ui().Title.caption(), "Title");
        EXPECT_TRUE(ui().Front.visible());
        EXPECT_EQ(ui().Blink.interval(), 40);
    }
}

TEST_F(RuntimeUnload, ReloadingInsideTheHandlerLeavesTheHeldSetIntact) {
    screen.show();
    ui().Front.onClick = [this] {
        FormControls& old = ui();
        screen.unload();
        screen.show();  // a fresh set at design state
        FormControls& fresh = ui();
        EXPECT_NE(&old, &fresh);
        old.Title.setCaption("old");
        EXPECT_EQ(fresh.Title.caption(), "Title");
        note("old " + old.Title.caption() + ", fresh " + fresh.Title.caption());
    };
    clickAt(600, 600);
    EXPECT_EQ(log, (Log{"old old, fresh Title@0"}));
    EXPECT_TRUE(screen.loaded());
    EXPECT_EQ(ui().Title.caption(), "Title");
}

TEST_F(RuntimeUnload, DiscardedControlsGoWhenTheOutermostHandlerReturns) {
    // A playing sound channel shows when its control is gone: the audio service is told.
    const std::string owner = "Form.Beep";
    screen.show();
    ui().Beep.setCommand("Open");
    ui().Beep.setCommand("Play");
    ASSERT_TRUE(platform.audio.isPlaying(owner));
    ui().Front.onClick = [this] { screen.unload(); };
    ui().Blink.onTimer = [&] {
        post(ClickEvent{600, 600});
        runtime.doEvents();  // the click handler unloads the screen and returns
        EXPECT_FALSE(screen.loaded());
        EXPECT_TRUE(platform.audio.isPlaying(owner));  // an outer handler still runs
    };
    advanceMs(40);
    EXPECT_FALSE(platform.audio.isPlaying(owner));

    // Outside any handler the controls go at once.
    screen.show();
    ui().Beep.setCommand("open");
    ui().Beep.setCommand("play");
    ASSERT_TRUE(platform.audio.isPlaying(owner));
    screen.unload();
    EXPECT_FALSE(platform.audio.isPlaying(owner));
}

// ---- Input dispatch

using RuntimeInput = ScreensTest;

TEST_F(RuntimeInput, AClickGoesToTheTopmostVisibleControlUnderIt) {
    noteEvents(screen, log);
    const struct {
        const char* name;
        std::function<void(FormControls&)> arrange;
        float x, y;
        const char* receiver;  // empty: nobody
    } cases[] = {
        {"back alone", {}, 100, 100, "Form.Back"},
        {"front over back", {}, 700, 700, "Form.Front"},
        {"front alone", {}, 1400, 1400, "Form.Front"},
        {"right edge is outside", {}, 1500, 700, ""},
        {"only the shape there", {}, 6000, 6000, ""},
        {"text box", {}, 3500, 100, "Form.Name"},
        {"label", {}, 5500, 100, "Form.Title"},
        {"front hidden", [](FormControls& c) { c.Front.setVisible(false); }, 700, 700, "Form.Back"},
        {"front disabled keeps the click", [](FormControls& c) { c.Front.setEnabled(false); }, 700,
         700, ""},
        {"back disabled", [](FormControls& c) { c.Back.setEnabled(false); }, 100, 100, ""},
        {"back hidden", [](FormControls& c) { c.Back.setVisible(false); }, 100, 100, ""},
        {"front moved away", [](FormControls& c) { c.Front.move(6000, 6000); }, 700, 700,
         "Form.Back"},
        {"back moved under front", [](FormControls& c) { c.Back.move(600, 600); }, 700, 700,
         "Form.Front"},
        {"front moved under the text box", [](FormControls& c) { c.Front.move(3000, 0); }, 3500,
         100, "Form.Name"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        screen.unload();
        screen.show();
        if (c.arrange) c.arrange(ui());
        log.clear();
        clickAt(c.x, c.y);
        const Log expected = *c.receiver ? Log{std::string("click ") + c.receiver} : Log{};
        EXPECT_EQ(log, expected);
    }
}

TEST_F(RuntimeInput, KeysAndClicksGoToTheActiveScreen) {
    HookScreen<FormControls> other{runtime, "Other"};
    noteEvents(screen, log);
    noteEvents(other, log);
    withoutTextBoxes(screen);
    withoutTextBoxes(other);
    const auto everything = [this] {
        send(KeyDownEvent{Key::A, shift::kShift});
        send(KeyPressEvent{'A'});
        send(KeyUpEvent{Key::A, shift::kCtrl | shift::kAlt});
        clickAt(100, 100);
    };

    everything();  // no screen shown yet
    EXPECT_TRUE(log.empty());

    screen.show();
    other.show();
    everything();
    EXPECT_EQ(log, (Log{"Other down 65 1", "Other press A", "Other up 65 6", "click Other.Back"}));

    log.clear();
    other.unload();
    everything();
    EXPECT_EQ(log, (Log{"Form down 65 1", "Form press A", "Form up 65 6", "click Form.Back"}));

    log.clear();
    other.load();  // loaded but not shown: not active
    everything();
    EXPECT_EQ(log.front(), "Form down 65 1");
    other.unload();
}

TEST_F(RuntimeInput, TypingEditsTheFocusedTextBoxNotTheForm) {
    noteEvents(screen, log);
    screen.show();
    ASSERT_EQ(ui().focus(), &ui().Name);  // the first text box has the focus once shown
    const struct {
        InputEvent event;
        const char* name;
        const char* code;
    } steps[] = {
        {KeyDownEvent{Key::B, 0}, "Ann", ""},  // keys go to the box, not the form
        {KeyPressEvent{'b'}, "Annb", ""},
        {KeyUpEvent{Key::B, 0}, "Annb", ""},
        {KeyPressEvent{'\b'}, "Ann", ""},
        {KeyPressEvent{'\r'}, "Ann", ""},    // control characters type nothing
        {ClickEvent{3500, 600}, "Ann", ""},  // focus moves to Code
        {KeyPressEvent{'7'}, "Ann", "7"},
        {KeyPressEvent{'\b'}, "Ann", ""},
        {KeyPressEvent{'\b'}, "Ann", ""},  // nothing left to remove
        {ClickEvent{3500, 100}, "Ann", ""},
        {KeyPressEvent{'\b'}, "An", ""},
    };
    for (const auto& s : steps) {
        send(s.event);
        EXPECT_EQ(ui().Name.text(), s.name);
        EXPECT_EQ(ui().Code.text(), s.code);
    }
    for (const auto& entry : log)
        EXPECT_EQ(entry.find("Form "), std::string::npos) << "the form saw " << entry;
}

TEST_F(RuntimeInput, BackspaceRemovesAWholeCharacter) {
    screen.show();
    ui().Name.setText("Zoë");
    send(KeyPressEvent{'\b'});
    EXPECT_EQ(ui().Name.text(), "Zo");
}

TEST_F(RuntimeInput, AFormThatPreviewsKeysSeesThemAndTheBoxStillTypes) {
    noteEvents(screen, log);
    screen.preview = true;
    screen.show();
    send(KeyDownEvent{Key::C, 0});
    send(KeyPressEvent{'c'});
    EXPECT_EQ(ui().Name.text(), "Annc");
    EXPECT_EQ(log, (Log{"Form down 67 0", "Form press c", "change Form.Name Annc"}));
}

TEST_F(RuntimeInput, AHiddenOrDisabledTextBoxTakesNoKeys) {
    noteEvents(screen, log);
    const struct {
        const char* name;
        std::function<void(FormControls&)> arrange;
    } cases[] = {
        {"focused box hidden", [](FormControls& c) { c.Name.setVisible(false); }},
        {"focused box disabled", [](FormControls& c) { c.Name.setEnabled(false); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        screen.unload();
        screen.show();
        ui().Code.setEnabled(false);
        ASSERT_EQ(ui().focus(), &ui().Name);
        c.arrange(ui());
        log.clear();
        send(KeyDownEvent{Key::Z, 0});
        send(KeyPressEvent{'z'});
        EXPECT_EQ(ui().Name.text(), "Ann");
        EXPECT_EQ(log, (Log{"Form down 90 0", "Form press z"}));  // no box has the focus
    }

    // Showing gives the focus to the first box that can take it; clicking a disabled box
    // does not take it away from there.
    screen.unload();
    screen.onLoad = [this] { ui().Name.setVisible(false); };
    screen.show();
    EXPECT_EQ(ui().focus(), &ui().Code);
    ui().Name.setVisible(true);
    ui().Name.setEnabled(false);
    clickAt(3500, 100);
    type("5");
    EXPECT_EQ(ui().Code.text(), "5");
    EXPECT_EQ(ui().Name.text(), "Ann");
}

// ---- Text boxes

using RuntimeTextBox = ScreensTest;

TEST_F(RuntimeTextBox, RaisesChangeOnEveryChangeOfItsTextAlsoByCode) {
    noteEvents(screen, log);
    screen.show();
    EXPECT_TRUE(log.empty());  // the design text is no change
    const struct {
        const char* step;
        std::function<void(ScreensTest&)> act;
        const char* text;
        Log changes;  // change events this step raised
    } steps[] = {
        {"same text by code", [](ScreensTest& t) { t.ui().Name.setText("Ann"); }, "Ann", {}},
        {"new text by code",
         [](ScreensTest& t) { t.ui().Name.setText("Bob"); },
         "Bob",
         {"change Form.Name Bob"}},
        {"typed", [](ScreensTest& t) { t.type("!"); }, "Bob!", {"change Form.Name Bob!"}},
        {"two typed",
         [](ScreensTest& t) { t.type("?."); },
         "Bob!?.",
         {"change Form.Name Bob!?", "change Form.Name Bob!?."}},
        {"backspace", [](ScreensTest& t) { t.type("\b"); }, "Bob!?", {"change Form.Name Bob!?"}},
        {"by name",
         [](ScreensTest& t) { t.ui().Name.setProperty("Text", "Zed"); },
         "Zed",
         {"change Form.Name Zed"}},
        {"number",
         [](ScreensTest& t) { setTextValue(t.ui().Name, 42); },
         "42",
         {"change Form.Name 42"}},
        {"same number", [](ScreensTest& t) { setTextValue(t.ui().Name, 42); }, "42", {}},
        {"emptied", [](ScreensTest& t) { t.ui().Name.setText(""); }, "", {"change Form.Name "}},
        {"backspace on empty", [](ScreensTest& t) { t.type("\b"); }, "", {}},
        {"control character", [](ScreensTest& t) { t.type("\t"); }, "", {}},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(s.step);
        log.clear();
        s.act(*this);
        EXPECT_EQ(ui().Name.text(), s.text);
        EXPECT_EQ(log, s.changes);
    }
}

TEST_F(RuntimeTextBox, AChangeHandlerMayChangeTheTextAgain) {
    screen.show();
    // Upper-cases what is typed: the second change is raised nested in the first.
    ui().Name.onChange = [this] {
        std::string text = ui().Name.text();
        for (char& ch : text) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
        note("change " + ui().Name.text());
        ui().Name.setText(text);
    };
    type("x");
    EXPECT_EQ(ui().Name.text(), "ANNX");
    EXPECT_EQ(log, (Log{"change Annx@0", "change ANNX@0"}));
}

}  // namespace
}  // namespace vk
