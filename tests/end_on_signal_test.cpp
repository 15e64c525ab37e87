// The game's signal watcher: a process some library forks from the game still ends when
// it is told to, although the game's own threads keep the signals blocked.
#include "runtime/end_on_signal.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

namespace vk {
namespace {

// In the game (a child of the test): forks a helper that waits for a signal, sends it
// SIGTERM and tells by its exit status whether the helper ended by it within 3 seconds.
[[noreturn]] void gameForkingAHelper() {
    const EndOnSignal endOnSignal([] {});
    const pid_t helper = fork();
    if (helper == 0) {
        for (;;) pause();
    }
    kill(helper, SIGTERM);
    int status = 0;
    for (int i = 0; i < 300; ++i) {
        if (waitpid(helper, &status, WNOHANG) == helper)
            _exit(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM ? 0 : 2);
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    kill(helper, SIGKILL);
    waitpid(helper, &status, 0);
    _exit(1);
}

TEST(EndOnSignal, AForkedHelperEndsOnSigterm) {
    const pid_t game = fork();
    ASSERT_GE(game, 0);
    if (game == 0) gameForkingAHelper();
    int status = 0;
    ASSERT_EQ(waitpid(game, &status, 0), game);
    ASSERT_TRUE(WIFEXITED(status)) << status;
    EXPECT_EQ(WEXITSTATUS(status), 0) << "1: the helper ignored SIGTERM";
}

}  // namespace
}  // namespace vk
