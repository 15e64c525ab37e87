// The screen runtime: screens, the event loop on the platform's clock, the nested
// process-pending-events call, pacing points, pictures, files and the end of the program.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/control.h"
#include "runtime/data_files.h"
#include "runtime/errors.h"
#include "runtime/picture.h"
#include "runtime/platform.h"
#include "runtime/timer.h"

namespace vk {

class ControlSet;
class Screen;

// The screen's size in twips: an 800 x 600 canvas at 15 twips per pixel.
constexpr int kTwipsPerPixel = 15;
constexpr float kCanvasTwipsWidth = 800 * kTwipsPerPixel;
constexpr float kCanvasTwipsHeight = 600 * kTwipsPerPixel;

namespace shift {
constexpr int kShift = 1, kCtrl = 2, kAlt = 4;
}

// Pointer input at the centre of a control, where a player aims; delivered by hit-testing
// like any other, so a hidden, disabled or covered control gets nothing.
inline ClickEvent clickOn(const Control& c) {
    return {c.left() + c.width() / 2, c.top() + c.height() / 2};
}
inline MouseMoveEvent moveOver(const Control& c) {
    return {c.left() + c.width() / 2, c.top() + c.height() / 2};
}

class Runtime {
  public:
    explicit Runtime(Platform& platform);
    ~Runtime();
    Runtime(const Runtime&) = delete;
    Runtime& operator=(const Runtime&) = delete;

    Platform& platform() { return platform_; }
    const Clock& clock() const { return platform_.clock; }
    Micros now() const { return platform_.clock.now(); }
    TimerScheduler& timers() { return timers_; }

    // ---- screens
    void enrol(Screen& screen);
    Screen* findScreen(std::string_view name) const;
    const std::vector<Screen*>& screens() const { return screens_; }
    // The screen shown last that is still loaded; keys and clicks go to it.
    Screen* activeScreen() const;
    // Loaded and visible screens, bottom first (the order a renderer draws them in).
    std::vector<Screen*> visibleScreens() const;
    void noteShown(Screen& screen);
    void noteUnloaded(Screen& screen);
    // A discarded control set lives on until the outermost handler returns.
    void retire(std::unique_ptr<ControlSet> controls);

    // ---- event loop
    // Input comes from the platform's input source, asked at every point where pending
    // events run: the top level below and doEvents(), however deeply nested.
    // Top level: hands over the input that has arrived, then fires every timer due now
    // (each once); input that arrives meanwhile goes before the next timer.
    void dispatchPending();
    // Headless top level: fires due timers in order up to `target`, moving the clock, and
    // hands over input at every step. Needs a clock that the caller can set.
    void runUntil(Micros target, const std::function<void(Micros)>& setClock);
    std::optional<Micros> nextTimerDue() const { return timers_.nextDue(); }

    // Process pending events: the input that has arrived and every timer due at the
    // current time, each handler to its end, nested inside the caller. Deeper than
    // kMaxNesting levels the call does nothing, so no stack overflow can occur.
    void doEvents();
    static constexpr int kMaxNesting = 200;
    int nesting() const { return depth_; }

    // A pacing point inside a blocking loop: the clock moves on, nothing is dispatched.
    void pace(Micros step);

    // Ends the program at once from any depth; no routine runs afterwards.
    [[noreturn]] void endProgram();
    bool ended() const { return ended_; }

    // Runs a top-level routine (startup, a script's call) with the same protection as an
    // event: nesting bookkeeping, end of program and unhandled run-time errors.
    void runTopLevel(const std::function<void()>& routine);
    // What happens to a run-time error nothing catches; by default a message box, then
    // the program ends.
    void setUnhandledErrorHook(std::function<void(const RuntimeError&)> hook);

    // ---- files and pictures
    const DataFiles& files() const { return files_; }
    DataFiles& files() { return files_; }
    std::string appPath() const { return files_.appPath(); }
    // Loads a picture by its name (program-relative as the game writes it). Raises
    // "File not found" (53) naming the file and the data folder, "Path/File access error"
    // (75) for a file that cannot be opened, "Invalid picture" (481) for one that holds no
    // picture. Every load makes a new picture object.
    PictureRef loadPicture(std::string_view name);

    // ---- links and message boxes
    void openLink(const std::string& target) { platform_.links.open(target); }
    MessageAnswer messageBox(const std::string& text, const std::string& title,
                             MessageButtons buttons, MessageIcon icon) {
        return platform_.messages.show(text, title, buttons, icon);
    }

    // ---- repaint bookkeeping
    void markChanged() { ++changes_; }
    std::uint64_t changeCount() const { return changes_; }

    // Unique ids for sound channels and media players.
    ChannelId newChannelId() { return ++lastChannelId_; }

  private:
    class HandlerScope;
    void takeInput();
    void dispatch(const InputEvent& event);
    void fireTimer(Timer& timer);
    void runTimersDueAt(Micros now);
    void handleUnhandled(const RuntimeError& error);
    // Damage found in the saved progress is shown to the player once, between handlers.
    void tellAboutDamagedSettings();

    Platform& platform_;
    DataFiles files_;
    TimerScheduler timers_;
    std::vector<Screen*> screens_;
    std::vector<Screen*> shownOrder_;
    // Where the last key-down went: the characters it typed go there too.
    Screen* keyDownScreen_ = nullptr;
    std::vector<std::unique_ptr<ControlSet>> retired_;
    std::map<std::filesystem::path, std::shared_ptr<const PictureData>> pictureCache_;
    std::function<void(const RuntimeError&)> unhandledHook_;
    int depth_ = 0;
    bool ended_ = false;
    std::uint64_t changes_ = 0;
    ChannelId lastChannelId_ = 0;
};

}  // namespace vk
