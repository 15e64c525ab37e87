// Shared pieces of the SDL platform's tests: SDL started on its dummy drivers, a screen
// whose controls a test builds, and pictures made in memory.
#pragma once

#include <SDL.h>
#include <SDL_ttf.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <vector>

#include "runtime/control.h"
#include "runtime/control_set.h"
#include "runtime/picture.h"
#include "runtime/screen.h"
#include "runtime/timer.h"

namespace vk::sdl::testing {

// No window or sound device is needed: SDL draws and plays into nothing, in real time.
inline const bool kDummyDrivers = [] {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    return true;
}();

// SDL with the given subsystems for one test; the environment picks the dummy drivers.
class SdlSession {
  public:
    explicit SdlSession(Uint32 flags) { ok_ = SDL_Init(flags) == 0 && TTF_Init() == 0; }
    ~SdlSession() {
        TTF_Quit();
        SDL_Quit();
    }
    bool ok() const { return ok_; }

  private:
    bool ok_;
};

// One colour over the whole picture; 0xRRGGBBAA.
inline PictureRef solidPicture(int w, int h, std::uint32_t rgba) {
    auto data = std::make_shared<PictureData>();
    data->width = w;
    data->height = h;
    data->rgba.assign(static_cast<std::size_t>(w * h), rgba);
    return std::make_shared<const Picture>("memory", std::filesystem::path{}, data);
}

// A screen whose controls the test adds after loading; they live as long as the load.
struct FreeControls : ControlSet {
    using ControlSet::ControlSet;
    Timer tick{*this, "tick", {.interval = 0}};  // stopped until a test sets its interval
    std::vector<std::unique_ptr<Control>> owned;
    Control& add(std::string name, ControlKind kind, Design design) {
        owned.push_back(std::make_unique<Control>(*this, std::move(name), kind, design));
        return *owned.back();
    }
};

class FreeScreen : public ScreenOf<FreeControls> {
  public:
    using ScreenOf::ScreenOf;

  protected:
    void bindEvents(FreeControls&) override {}
};

}  // namespace vk::sdl::testing
