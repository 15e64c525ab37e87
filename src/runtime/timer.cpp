#include "runtime/timer.h"

#include <algorithm>

#include "runtime/control_set.h"
#include "runtime/runtime.h"
#include "runtime/values.h"

namespace vk {

namespace {
std::uint64_t nextTimerOrder = 0;
}

Timer::Timer(ControlSet& owner, std::string name, const Design& design, std::optional<int> index)
    : Control(owner, std::move(name), ControlKind::Timer, design, index),
      interval_(design.interval),
      order_(++nextTimerOrder) {}

void Timer::setInterval(int milliseconds) {
    interval_ = milliseconds;
    if (active_) runtime().timers().restart(*this);
}

void Timer::setEnabled(bool v) {
    const bool switchedOn = v && !enabled();
    Control::setEnabled(v);
    if (active_ && switchedOn) runtime().timers().restart(*this);
}

bool Timer::running() const { return active_ && enabled() && interval_ > 0; }

std::optional<std::string> Timer::property(std::string_view name) const {
    if (name == "Interval") return textOf(interval_);
    return Control::property(name);
}

bool Timer::setProperty(std::string_view name, std::string_view value) {
    if (name == "Interval") return setInterval(toLong(toDouble(value))), true;
    if (name == "Enabled") {
        if (value == "True" || value == "False") return setEnabled(value == "True"), true;
        return false;
    }
    return Control::setProperty(name, value);
}

Micros TimerScheduler::period(const Timer& timer) const {
    return std::max<Micros>(Micros{timer.interval()} * kMicrosPerMilli, resolution_);
}

void TimerScheduler::activate(Timer& timer) {
    if (timer.active_) return;
    timer.active_ = true;
    timers_.push_back(&timer);
    restart(timer);
}

void TimerScheduler::deactivate(Timer& timer) {
    timer.active_ = false;
    std::erase(timers_, &timer);
}

void TimerScheduler::deactivateAll() {
    for (Timer* t : timers_) t->active_ = false;
    timers_.clear();
}

void TimerScheduler::restart(Timer& timer) { timer.due_ = clock_.now() + period(timer); }

Timer* TimerScheduler::earliestDue(Micros limit) const {
    Timer* best = nullptr;
    for (Timer* t : timers_) {
        if (!t->running() || t->due_ > limit) continue;
        if (!best || t->due_ < best->due_ || (t->due_ == best->due_ && t->order_ < best->order_))
            best = t;
    }
    return best;
}

std::optional<Micros> TimerScheduler::nextDue() const {
    std::optional<Micros> next;
    for (Timer* t : timers_)
        if (t->running() && (!next || t->due_ < *next)) next = t->due_;
    return next;
}

void TimerScheduler::bookTick(Timer& timer) {
    const Micros now = clock_.now();
    const Micros step = period(timer);
    // On time: keep the cadence. Late by a period or more: one tick, then start afresh.
    timer.due_ = (now >= timer.due_ + step) ? now + step : timer.due_ + step;
}

}  // namespace vk
