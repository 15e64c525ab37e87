#include "runtime/screen.h"

#include <stdexcept>
#include <string_view>

#include "runtime/control.h"
#include "runtime/errors.h"
#include "runtime/runtime.h"
#include "runtime/timer.h"

namespace vk {

Screen::Screen(Runtime& runtime, std::string name, std::string caption)
    : runtime_(runtime), name_(std::move(name)), caption_(std::move(caption)) {
    runtime_.enrol(*this);
}

Screen::~Screen() = default;

void Screen::load() {
    if (loaded()) return;
    controls_ = createControls();
    for (Timer* timer : controls_->timers()) runtime_.timers().activate(*timer);
    runtime_.markChanged();
    Form_Load();
}

ControlSet& Screen::controls() {
    load();
    // The load routine may have unloaded the screen again: there is nothing to reach into.
    if (!controls_) raise(ErrorNumber::ObjectUnloaded, name_);
    return *controls_;
}

void Screen::show() {
    load();
    // The load routine may have unloaded the screen again.
    if (!loaded()) return;
    if (!visible_) controls_->focusFirstTextBox();
    visible_ = true;
    runtime_.noteShown(*this);
}

void Screen::unload() {
    if (!loaded()) return;
    for (Timer* timer : controls_->timers()) runtime_.timers().deactivate(*timer);
    visible_ = false;
    runtime_.noteUnloaded(*this);
    runtime_.retire(std::move(controls_));
}

void Screen::Form_KeyDown(int, int) {}
void Screen::Form_KeyUp(int, int) {}
void Screen::Form_KeyPress(char) {}

std::optional<std::string> Screen::variable(const std::string& name) const {
    auto it = variables_.find(name);
    if (it == variables_.end()) return std::nullopt;
    return it->second();
}

namespace {
std::function<void()>* eventSlot(ControlSet& controls, std::string_view control,
                                 std::string_view event) {
    Control* target = controls.find(control);
    if (!target) return nullptr;
    if (event == "Click") return &target->onClick;
    if (event == "MouseMove") return &target->onMouseMove;
    if (event == "Change") return &target->onChange;
    if (event == "Timer" && target->kind() == ControlKind::Timer)
        return &static_cast<Timer*>(target)->onTimer;
    return nullptr;
}
}  // namespace

void Screen::bindNamedEvents(ControlSet& controls) const {
    for (const auto& [name, routine] : routines_) {
        const auto split = name.rfind('_');
        if (split == std::string::npos) continue;
        std::function<void()>* slot = eventSlot(controls, std::string_view(name).substr(0, split),
                                                std::string_view(name).substr(split + 1));
        if (!slot) throw std::logic_error(name_ + " has no event for its routine " + name);
        *slot = routine;
    }
}

void Screen::exposeRoutine(const std::string& name, Routine routine) {
    routines_[name] = std::move(routine);
}

}  // namespace vk
