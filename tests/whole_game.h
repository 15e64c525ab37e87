// A whole game on the headless platform driven the way a player drives it: clicks and
// mouse moves at controls' centres, key presses, the virtual clock. Shared by the soak
// test, the benchmarks and the fuzz targets; any picture decoder and settings store can
// stand in for the headless ones.
#pragma once

#include <array>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "fight/boj.h"
#include "runtime/control.h"
#include "runtime/headless/headless_platform.h"
#include "runtime/runtime.h"
#include "select/vyberpostav.h"
#include "shell/drzky.h"
#include "shell/game.h"
#include "shell/uvodni.h"

namespace vorkala::testing {

// Key codes of both players' fight keys: A D S W T G Z H, then the arrows, Insert,
// Delete, Home and End.
inline constexpr std::array<int, 16> kFightKeys{65, 68, 83, 87, 84, 71, 90, 72,
                                                37, 39, 38, 40, 45, 46, 36, 35};

// From the fight screen's show: the round banner, the 60-second countdown and the
// finishing sequence with the after-fight screen's delay, with room to spare.
inline constexpr long kLongestFightMs = 90'000;

class WholeGame {
  public:
    explicit WholeGame(const std::filesystem::path& programFolder,
                       vk::PictureDecoder* decoder = nullptr,
                       std::unique_ptr<vk::SettingsStore> settings = nullptr)
        : headless(programFolder, std::move(settings)),
          platform{headless.clock,
                   headless.pacer,
                   headless.audio,
                   headless.settings(),
                   headless.display,
                   headless.links,
                   headless.messages,
                   decoder ? *decoder : headless.pictures,
                   headless.platform().programFolder,
                   headless.platform().dataFolder},
          runtime(platform),
          game(runtime) {}

    void advanceMs(long ms) { headless.advance(runtime, ms * vk::kMicrosPerMilli); }
    long nowMs() const { return static_cast<long>(runtime.now() / vk::kMicrosPerMilli); }

    void post(vk::InputEvent event) {
        runtime.post(std::move(event));
        runtime.dispatchPending();
    }
    void click(const vk::Control& c) { post(vk::ClickEvent{centreX(c), centreY(c)}); }
    void moveOver(const vk::Control& c) { post(vk::MouseMoveEvent{centreX(c), centreY(c)}); }
    void press(int keyCode) {
        post(vk::KeyDownEvent{keyCode, 0});
        post(vk::KeyUpEvent{keyCode, 0});
    }

    static bool showing(const vk::Screen& screen) { return screen.loaded() && screen.visible(); }

    // Title screen, first-run OK: the selection screen is shown.
    void startToSelection() {
        game.start();
        if (!runtime.ended()) click(game.uvodni().ui().Image5);
    }
    // Clicks a fighter's portrait on the selection screen.
    void pick(const std::string& code) { click(game.vyberpostav().ui().portraits[code]); }

    // Moves the clock on in steps until `done` holds or `limitMs` have passed.
    bool runUntil(const std::function<bool()>& done, long limitMs, long stepMs = 10) {
        const long end = nowMs() + limitMs;
        while (!done() && !runtime.ended() && nowMs() < end) advanceMs(stepMs);
        return done();
    }

    vk::HeadlessPlatform headless;
    vk::Platform platform;
    vk::Runtime runtime;
    Game game;

  private:
    static float centreX(const vk::Control& c) { return c.left() + c.width() / 2; }
    static float centreY(const vk::Control& c) { return c.top() + c.height() / 2; }
};

}  // namespace vorkala::testing
