// SIGTERM and SIGINT end the game at any moment, also while a message box waits for a
// click and reads no events: a thread of its own takes the signals, saves what must not
// be lost and ends the process as the signal would have.
#pragma once

#include <functional>
#include <memory>

namespace vk {

class EndOnSignal {
  public:
    // Blocks the signals in the calling thread and in every thread started after this (so
    // it must come before SDL starts its threads) and starts the watching thread.
    explicit EndOnSignal(std::function<void()> beforeEnd);
    // From here on a signal ends the process without calling `beforeEnd`, which may
    // refer to objects that are going away; one already running is waited for.
    ~EndOnSignal();
    EndOnSignal(const EndOnSignal&) = delete;
    EndOnSignal& operator=(const EndOnSignal&) = delete;

    struct Shared;

  private:
    std::shared_ptr<Shared> shared_;
};

}  // namespace vk
