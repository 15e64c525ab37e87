// Screens: one object per screen for the whole run. Screen-level variables are members of
// the screen object and survive unloads; the controls live in a per-load ControlSet that
// is rebuilt from design state at every load.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <type_traits>
#include <utility>

#include "runtime/control_set.h"
#include "runtime/values.h"

namespace vk {

class Runtime;

// A row of a screen's table of routines: the name and the member that runs.
template <class S>
using RoutineRow = std::pair<const char*, void (S::*)()>;

class Screen {
  public:
    Screen(Runtime& runtime, std::string name, std::string caption);
    virtual ~Screen();
    Screen(const Screen&) = delete;
    Screen& operator=(const Screen&) = delete;

    const std::string& name() const { return name_; }
    const std::string& caption() const { return caption_; }
    Runtime& runtime() const { return runtime_; }

    bool loaded() const { return controls_ != nullptr; }
    bool visible() const { return visible_; }

    // Loads the screen (design controls, then Form_Load) unless it is loaded.
    void load();
    // Loads if needed and makes the screen visible; modeless, returns at once.
    void show();
    // Stops its timers and discards its controls (kept alive until the outermost handler
    // returns, so a routine still on the stack never touches freed memory).
    void unload();

    // The controls without loading; nullptr when not loaded.
    ControlSet* controlsIfLoaded() const { return controls_.get(); }
    // The controls, loading the screen first: every access goes through here.
    ControlSet& controls();

    // The form's own input events (the active screen receives keys).
    virtual void Form_KeyDown(int keyCode, int shift);
    virtual void Form_KeyUp(int keyCode, int shift);
    virtual void Form_KeyPress(char key);
    // Whether the form sees keys even while a text box has the focus.
    virtual bool previewsKeys() const { return false; }

    // Public routines and screen-level variables by name (script driver, tests). A routine
    // named "Control_Event" (Click, MouseMove, Change or Timer) is also that event of its
    // control, bound at every load: one table of routines serves both.
    using Routine = std::function<void()>;
    const std::map<std::string, Routine>& routines() const { return routines_; }
    std::optional<std::string> variable(const std::string& name) const;

  protected:
    virtual std::unique_ptr<ControlSet> createControls() = 0;
    virtual void Form_Load() {}

    void exposeRoutine(const std::string& name, Routine routine);
    // Each routine of a table of names and members of the screen `self`.
    template <class S, std::size_t N>
    void exposeRoutines(S& self, const RoutineRow<S> (&table)[N]) {
        for (const auto& [name, member] : table)
            exposeRoutine(name, [&self, member = member] { (self.*member)(); });
    }
    // Binds the routines named after events of `controls`; a routine named after an event
    // of a control the screen does not have is a fault of the screen's table.
    void bindNamedEvents(ControlSet& controls) const;
    // A variable whose text the screen gives itself.
    void exposeText(const std::string& name, std::function<std::string()> text) {
        variables_[name] = std::move(text);
    }
    template <class T>
    void exposeVariable(const std::string& name, const T& value) {
        variables_[name] = [&value] {
            if constexpr (std::is_same_v<T, std::string>)
                return value;
            else if constexpr (std::is_same_v<T, bool>)
                return std::string(value ? "True" : "False");
            else if constexpr (std::is_integral_v<T>)
                return textOf(static_cast<int>(value));
            else
                return textOf(value);
        };
    }

  private:
    Runtime& runtime_;
    std::string name_, caption_;
    std::unique_ptr<ControlSet> controls_;
    bool visible_ = false;
    std::map<std::string, Routine> routines_;
    std::map<std::string, std::function<std::string()>> variables_;
};

// A screen with its typed control set. `ui()` is the loading accessor.
template <class Controls>
class ScreenOf : public Screen {
  public:
    using Screen::Screen;
    Controls& ui() { return static_cast<Controls&>(controls()); }

  protected:
    // Attaches event routines that no named routine covers to a freshly built control set.
    virtual void bindEvents(Controls& /*controls*/) {}

    std::unique_ptr<ControlSet> createControls() override {
        auto set = std::make_unique<Controls>(runtime(), *this);
        bindNamedEvents(*set);
        bindEvents(*set);
        return set;
    }
};

}  // namespace vk
