#include "runtime/runtime.h"

#include <algorithm>
#include <system_error>

#include "runtime/control.h"
#include "runtime/control_set.h"
#include "runtime/picture_header.h"
#include "runtime/screen.h"
#include "runtime/text.h"

namespace vk {

// Counts handler nesting; when the outermost handler returns, discarded controls go and
// the settings it wrote are saved, once for the whole handler.
class Runtime::HandlerScope {
  public:
    explicit HandlerScope(Runtime& rt) : rt_(rt) {
        if (rt_.depth_++ == 0) rt_.platform_.settings.holdSaves();
    }
    ~HandlerScope() {
        if (--rt_.depth_ > 0) return;
        rt_.retired_.clear();
        rt_.platform_.settings.releaseSaves();
    }
    HandlerScope(const HandlerScope&) = delete;
    HandlerScope& operator=(const HandlerScope&) = delete;

  private:
    Runtime& rt_;
};

Runtime::Runtime(Platform& platform)
    : platform_(platform),
      files_(platform.programFolder, platform.dataFolder),
      timers_(platform.clock) {}

Runtime::~Runtime() { retired_.clear(); }

void Runtime::enrol(Screen& screen) { screens_.push_back(&screen); }

Screen* Runtime::findScreen(std::string_view name) const {
    for (Screen* s : screens_)
        if (s->name() == name) return s;
    return nullptr;
}

Screen* Runtime::activeScreen() const { return shownOrder_.empty() ? nullptr : shownOrder_.back(); }

std::vector<Screen*> Runtime::visibleScreens() const { return shownOrder_; }

void Runtime::noteShown(Screen& screen) {
    std::erase(shownOrder_, &screen);
    shownOrder_.push_back(&screen);
    markChanged();
}

void Runtime::noteUnloaded(Screen& screen) {
    std::erase(shownOrder_, &screen);
    if (keyDownScreen_ == &screen) keyDownScreen_ = nullptr;
    markChanged();
}

void Runtime::retire(std::unique_ptr<ControlSet> controls) {
    if (depth_ == 0)
        controls.reset();
    else
        retired_.push_back(std::move(controls));
}

void Runtime::runTopLevel(const std::function<void()>& routine) {
    if (ended_) return;
    try {
        HandlerScope scope(*this);
        tellAboutDamagedSettings();
        routine();
    } catch (const ProgramEnded&) {
        // The program has ended; nothing runs afterwards.
    } catch (const RuntimeError& error) {
        handleUnhandled(error);
    }
    // A save of this handler that failed is told at once, also when it ended the program.
    if (depth_ == 0) tellAboutDamagedSettings();
}

void Runtime::tellAboutDamagedSettings() {
    const std::string notice = platform_.settings.takeNotice();
    if (!notice.empty())
        platform_.messages.show(notice, "Vorkala", MessageButtons::Ok, MessageIcon::Exclamation);
}

void Runtime::handleUnhandled(const RuntimeError& error) {
    try {
        HandlerScope scope(*this);
        if (unhandledHook_) {
            unhandledHook_(error);
        } else {
            platform_.messages.show(
                "Run-time error '" + std::to_string(error.code()) + "':\n\n" + error.what(),
                "Vorkala", MessageButtons::Ok, MessageIcon::Critical);
        }
    } catch (const ProgramEnded&) {
    } catch (const RuntimeError&) {
    }
    ended_ = true;
    timers_.deactivateAll();
}

void Runtime::setUnhandledErrorHook(std::function<void(const RuntimeError&)> hook) {
    unhandledHook_ = std::move(hook);
}

void Runtime::dispatchPending() {
    runTopLevel([this] { takeInput(); });
    runTimersDueAt(now());
}

void Runtime::runTimersDueAt(Micros limit) {
    // Each timer fires at most once here: its booked next tick lies beyond `limit`.
    while (!ended_) {
        Timer* timer = timers_.earliestDue(limit);
        if (!timer) return;
        runTopLevel([&] { fireTimer(*timer); });
        runTopLevel([this] { takeInput(); });
    }
}

void Runtime::runUntil(Micros target, const std::function<void(Micros)>& setClock) {
    while (!ended_) {
        runTopLevel([this] { takeInput(); });
        const auto due = timers_.nextDue();
        if (ended_ || !due || *due > target) break;
        if (*due > now()) {
            setClock(*due);
            continue;  // input that has arrived by then goes first
        }
        Timer* timer = timers_.earliestDue(now());
        if (!timer) break;
        runTopLevel([&] { fireTimer(*timer); });
    }
    if (ended_ || now() >= target) return;
    setClock(target);
    runTopLevel([this] { takeInput(); });
}

// Hands every input that has arrived to the screens, each handler to its end.
void Runtime::takeInput() {
    while (!ended_) {
        auto event = platform_.input.poll();
        if (!event) return;
        dispatch(*event);
    }
}

void Runtime::fireTimer(Timer& timer) {
    timers_.bookTick(timer);
    // The handler may unload the timer's screen; the timer object stays alive until the
    // outermost handler returns, and the copy keeps the callable itself alive.
    if (auto handler = timer.onTimer) handler();
}

void Runtime::doEvents() {
    if (ended_ || depth_ >= kMaxNesting) return;
    HandlerScope scope(*this);
    takeInput();
    const Micros limit = now();
    while (!ended_) {
        Timer* timer = timers_.earliestDue(limit);
        if (!timer) break;
        fireTimer(*timer);
        takeInput();
    }
}

void Runtime::pace(Micros step) {
    if (!ended_) platform_.pacer.pace(step);
}

void Runtime::endProgram() {
    ended_ = true;
    timers_.deactivateAll();
    throw ProgramEnded{};
}

namespace {

// Keys go to the focused text box (typing edits it) unless the form previews them.
struct InputDispatcher {
    Screen& screen;

    // A text box hidden or disabled after it got the focus cannot hold it any more.
    Control* focusedBox() const {
        Control* box = screen.controls().focus();
        return box && box->visible() && box->enabled() ? box : nullptr;
    }
    bool formTakesKeys() const { return screen.previewsKeys() || !focusedBox(); }
    void operator()(const KeyDownEvent& e) const {
        if (formTakesKeys()) screen.Form_KeyDown(e.keyCode, e.shift);
    }
    void operator()(const KeyUpEvent& e) const {
        if (formTakesKeys()) screen.Form_KeyUp(e.keyCode, e.shift);
    }
    void operator()(const KeyPressEvent& e) const {
        Control* box = focusedBox();
        if (formTakesKeys()) screen.Form_KeyPress(e.key);
        // The form's handler may have unloaded the screen or disabled the box.
        if (!box || !screen.loaded() || !box->visible() || !box->enabled()) return;
        std::string text = box->text();
        if (e.key == '\b') {
            if (!text.empty()) {
                text.erase(characterStartAtOrBefore(text, text.size() - 1));
            }
        } else if (static_cast<unsigned char>(e.key) >= 0x20) {
            text.push_back(e.key);
        }
        box->setText(text);
    }
    void operator()(const ClickEvent& e) const {
        Control* target = screen.controls().hitTest(e.x, e.y);
        if (!target || !target->enabled()) return;
        if (target->kind() == ControlKind::TextBox) screen.controls().setFocus(target);
        if (auto handler = target->onClick) handler();
    }
    void operator()(const MouseMoveEvent& e) const {
        Control* target = screen.controls().hitTest(e.x, e.y);
        if (!target || !target->enabled()) return;
        if (auto handler = target->onMouseMove) handler();
    }
};

}  // namespace

// Keys, clicks and moves go to the screen in front; a character typed by a key-down goes
// where that key-down went, or nowhere when that screen is gone.
void Runtime::dispatch(const InputEvent& event) {
    Screen* screen = activeScreen();
    if (std::holds_alternative<KeyDownEvent>(event)) keyDownScreen_ = screen;
    if (const auto* typed = std::get_if<KeyPressEvent>(&event); typed && typed->ofKeyDown)
        screen = keyDownScreen_;
    if (!screen) return;
    std::visit(InputDispatcher{*screen}, event);
}

namespace {

// A picture file's name as the game wrote it, and where it is.
std::string fileNamed(std::string_view name, const std::filesystem::path& file) {
    return std::string(name) + " (" + file.string() + ")";
}

[[noreturn]] void raiseNoPicture(std::string_view name, const std::filesystem::path& file) {
    raise(ErrorNumber::InvalidPicture,
          fileNamed(name, file) + " holds no picture the game can read" + kReplaceDataFile);
}

// Refuses a file that is no regular file, cannot be read, holds no picture or claims a
// size too large to decode, before any decoder reads it.
void checkBeforeDecoding(std::string_view name, const std::filesystem::path& file) {
    using Verdict = PictureCheck::Verdict;
    const PictureCheck check = checkPictureFile(file, false);
    switch (check.verdict) {
        case Verdict::Ok:
            return;
        case Verdict::NotAFile:
        case Verdict::Unreadable:
            raise(ErrorNumber::PathFileAccessError,
                  fileNamed(name, file) + " cannot be read: " + check.reason + kReplaceDataFile);
        case Verdict::NotAPicture:
            raiseNoPicture(name, file);
        case Verdict::TooLarge:
            raise(ErrorNumber::InvalidPicture,
                  fileNamed(name, file) + " is " + check.reason + kReplaceDataFile);
    }
}

}  // namespace

PictureRef Runtime::loadPicture(std::string_view name) {
    const auto file = files_.entry(name);
    std::error_code ec;
    if (!file || !std::filesystem::exists(*file, ec))
        raise(ErrorNumber::FileNotFound, files_.describeMissing(name));
    auto cached = pictureCache_.find(*file);
    if (cached == pictureCache_.end()) {
        checkBeforeDecoding(name, *file);
        auto decoded = platform_.pictureDecoder.decode(*file);
        if (!decoded) raiseNoPicture(name, *file);
        cached =
            pictureCache_.emplace(*file, std::make_shared<const PictureData>(std::move(*decoded)))
                .first;
    }
    return std::make_shared<const Picture>(std::string(name), *file, cached->second);
}

}  // namespace vk
