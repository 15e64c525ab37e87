// Timer controls and the scheduler that fires them on the runtime's clock.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "runtime/control.h"
#include "runtime/platform.h"

namespace vk {

class Timer : public Control {
  public:
    Timer(ControlSet& owner, std::string name, const Design& design = {},
          std::optional<int> index = std::nullopt);
    Timer(ControlSet& owner, std::string name, ControlKind, const Design& design,
          std::optional<int> index)
        : Timer(owner, std::move(name), design, index) {}

    // Milliseconds; 0 stops the timer. Assigning restarts the countdown from now.
    int interval() const { return interval_; }
    void setInterval(int milliseconds);
    // Switching a stopped timer on restarts its countdown from now; enabling a timer that
    // is already on leaves its countdown alone (the fight's gravity timers switch the rise
    // and idle timers on at every tick, and those must still come due).
    void setEnabled(bool v) override;

    // Ticks only while its screen is loaded, enabled and the interval is above 0.
    bool running() const;
    std::uint64_t creationOrder() const { return order_; }

    std::function<void()> onTimer;

    std::optional<std::string> property(std::string_view name) const override;
    bool setProperty(std::string_view name, std::string_view value) override;

  private:
    friend class TimerScheduler;
    int interval_;
    std::uint64_t order_;
    bool active_ = false;  // registered with the scheduler (its screen is loaded)
    Micros due_ = 0;
};

// Keeps the timers of loaded screens. Periods shorter than the resolution tick at the
// resolution; an overdue timer ticks once, not once per missed period; the earliest due
// fires first, ties in creation order.
class TimerScheduler {
  public:
    explicit TimerScheduler(const Clock& clock) : clock_(clock) {}

    Micros resolution() const { return resolution_; }
    void setResolution(Micros r) { resolution_ = r; }

    void activate(Timer& timer);
    void deactivate(Timer& timer);
    void deactivateAll();
    // The countdown starts again from now (interval or enabled assigned).
    void restart(Timer& timer);

    // The earliest running timer due at or before `limit`, or nullptr.
    Timer* earliestDue(Micros limit) const;
    std::optional<Micros> nextDue() const;
    // Books the tick (next due time) before the handler runs, so that the handler may
    // re-enter through a nested call without the same tick firing twice.
    void bookTick(Timer& timer);

    Micros period(const Timer& timer) const;

  private:
    const Clock& clock_;
    Micros resolution_ = 16 * kMicrosPerMilli;
    std::vector<Timer*> timers_;
};

}  // namespace vk
