// A whole game on the headless platform, for tests of the game's screens.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "audio_records.h"
#include "runtime/data_files.h"
#include "runtime/headless/headless_platform.h"
#include "runtime/runtime.h"
#include "shell/game.h"

namespace vorkala::testing {

class GameFixture : public ::testing::Test {
  protected:
    explicit GameFixture(std::unique_ptr<vk::SettingsStore> settings = nullptr)
        : headless(vk::defaultProgramFolder(), std::move(settings)),
          runtime(headless.platform()),
          game(runtime) {}

    void advanceMs(long ms) { headless.advance(runtime, ms * vk::kMicrosPerMilli); }
    // Clicks the centre of a control through hit-testing, as a player would.
    void click(const vk::Control& c) {
        headless.input.post(vk::clickOn(c));
        runtime.dispatchPending();
    }
    void keyDown(int code, int shift = 0) {
        headless.input.post(vk::KeyDownEvent{code, shift});
        runtime.dispatchPending();
    }
    // Runs a routine as a top-level event (end of program and errors handled).
    template <class F>
    void run(F&& f) {
        runtime.runTopLevel(std::forward<F>(f));
    }

    vk::HeadlessPlatform headless;
    vk::Runtime runtime;
    Game game;
};

}  // namespace vorkala::testing
