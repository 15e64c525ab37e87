#include "runtime/end_on_signal.h"

#include <pthread.h>
#include <signal.h>
#include <unistd.h>

#include <mutex>
#include <thread>

namespace vk {

struct EndOnSignal::Shared {
    std::mutex mutex;
    std::function<void()> beforeEnd;  // empty once the owner is gone
};

namespace {

sigset_t endingSignals() {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGTERM);
    sigaddset(&set, SIGINT);
    return set;
}

// A process forked by a library (a helper) is not the game: it ends when told to.
void unblockInChild() {
    const sigset_t set = endingSignals();
    pthread_sigmask(SIG_UNBLOCK, &set, nullptr);
}

[[noreturn]] void watch(const std::shared_ptr<EndOnSignal::Shared>& shared) {
    const sigset_t set = endingSignals();
    int signal = 0;
    while (sigwait(&set, &signal) != 0) {
    }
    {
        const std::lock_guard guard(shared->mutex);
        if (shared->beforeEnd) shared->beforeEnd();
        // The lock stays held: the game cannot go on changing what was just saved.
        // Ended by the signal itself, so the parent sees why the game stopped.
        ::signal(signal, SIG_DFL);
        pthread_sigmask(SIG_UNBLOCK, &set, nullptr);
        raise(signal);
    }
    _exit(128 + signal);
}

}  // namespace

EndOnSignal::EndOnSignal(std::function<void()> beforeEnd) : shared_(std::make_shared<Shared>()) {
    shared_->beforeEnd = std::move(beforeEnd);
    const sigset_t set = endingSignals();
    pthread_sigmask(SIG_BLOCK, &set, nullptr);
    static const bool childrenUnblocked = pthread_atfork(nullptr, nullptr, unblockInChild) == 0;
    (void)childrenUnblocked;
    std::thread(watch, shared_).detach();
}

EndOnSignal::~EndOnSignal() {
    const std::lock_guard guard(shared_->mutex);
    shared_->beforeEnd = nullptr;
}

}  // namespace vk
