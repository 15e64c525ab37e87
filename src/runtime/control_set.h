// The controls of one load of a screen, in design order (which is also the z-order:
// a control declared later lies in front).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/picture.h"

namespace vk {

class Control;
class Runtime;
class Screen;
class Timer;

// The mouse pointer over a screen where no control shows a cursor of its own.
enum class MousePointer { Default, Hourglass };

class ControlSet {
  public:
    ControlSet(Runtime& runtime, Screen& screen) : runtime_(runtime), screen_(screen) {}
    virtual ~ControlSet() = default;
    ControlSet(const ControlSet&) = delete;
    ControlSet& operator=(const ControlSet&) = delete;

    Runtime& runtime() const { return runtime_; }
    Screen& screen() const { return screen_; }

    // Called by each control's constructor.
    void enrol(Control& control);

    const std::vector<Control*>& all() const { return controls_; }
    std::vector<Timer*> timers() const;
    // By name and, for arrays, index.
    Control* find(std::string_view name, std::optional<int> index = std::nullopt) const;
    // The topmost visible control under a point (twips) that mouse input can land on.
    Control* hitTest(float x, float y) const;

    // The screen's own look: its back colour (0x00BBGGRR) and background picture,
    // which fills the canvas.
    std::uint32_t backColor = 0;
    PictureRef background;
    MousePointer mousePointer = MousePointer::Default;

    // The text box that takes typed keys, if any.
    Control* focus() const { return focus_; }
    void setFocus(Control* control) { focus_ = control; }
    // The first enabled, visible text box in design order, as a screen gets it when shown.
    void focusFirstTextBox();

  private:
    Runtime& runtime_;
    Screen& screen_;
    std::vector<Control*> controls_;
    Control* focus_ = nullptr;
};

}  // namespace vk
