// The game on the desktop: SDL's window, input, sound and services behind the runtime's
// platform, and the event loop that runs it in real time.
#pragma once

#include <filesystem>
#include <functional>
#include <memory>

#include "runtime/platform.h"

namespace vk {
class Runtime;
}

namespace vk::sdl {

struct SdlOptions {
    bool windowed = false;  // an 800 x 600 window instead of full screen
};

// Whether the player asked for a window: the option or VORKALA_WINDOW=1.
bool windowRequested(int argc, char** argv);

class SdlApp {
  public:
    // Starts SDL; throws std::runtime_error when there is no display to open.
    SdlApp(SdlOptions options, SettingsStore& settings, std::filesystem::path programFolder);
    ~SdlApp();
    SdlApp(const SdlApp&) = delete;
    SdlApp& operator=(const SdlApp&) = delete;

    Platform& platform();

    // Runs `start`, then the event loop until the program ends. Returns the exit status:
    // 0, or 1 when the game ended on an error.
    int run(Runtime& runtime, const std::function<void()>& start);

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace vk::sdl
