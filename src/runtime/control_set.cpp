#include "runtime/control_set.h"

#include "runtime/control.h"
#include "runtime/timer.h"

namespace vk {

void ControlSet::enrol(Control& control) { controls_.push_back(&control); }

std::vector<Timer*> ControlSet::timers() const {
    std::vector<Timer*> result;
    for (Control* c : controls_)
        if (c->kind() == ControlKind::Timer) result.push_back(static_cast<Timer*>(c));
    return result;
}

Control* ControlSet::find(std::string_view name, std::optional<int> index) const {
    for (Control* c : controls_)
        if (c->name() == name && c->index() == index) return c;
    return nullptr;
}

Control* ControlSet::hitTest(float x, float y) const {
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
        Control* c = *it;
        if (c->takesMouse() && c->visible() && c->contains(x, y)) return c;
    }
    return nullptr;
}

void ControlSet::focusFirstTextBox() {
    for (Control* c : controls_)
        if (c->kind() == ControlKind::TextBox && c->visible() && c->enabled()) {
            focus_ = c;
            return;
        }
    focus_ = nullptr;
}

}  // namespace vk
