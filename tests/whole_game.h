// A whole game on the headless platform driven the way a player drives it: clicks and
// mouse moves at controls' centres, key presses, the virtual clock. The base of every
// game test's fixture, the soak test, the benchmarks and the fuzz targets; any picture
// decoder, settings store and pacer can stand in for the headless ones.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <utility>

#include "fight/boj.h"
#include "fight/drzky.h"
#include "runtime/control.h"
#include "runtime/headless/headless_platform.h"
#include "runtime/keys.h"
#include "runtime/runtime.h"
#include "select/vyberpostav.h"
#include "shell/game.h"
#include "shell/uvodni.h"

namespace vorkala::testing {

// Both players' fight keys.
inline constexpr std::array<int, 16> kFightKeys{
    vk::Key::A,      vk::Key::D,      vk::Key::S,    vk::Key::W,     vk::Key::T,  vk::Key::G,
    vk::Key::Z,      vk::Key::H,      vk::Key::Left, vk::Key::Right, vk::Key::Up, vk::Key::Down,
    vk::Key::Insert, vk::Key::Delete, vk::Key::Home, vk::Key::End};

// From the fight screen's show: the round banner, the 60-second countdown and the
// finishing sequence with the after-fight screen's delay, with room to spare.
inline constexpr long kLongestFightMs = 90'000;

// A scripted left player, played with its keys: a step towards the opponent, the four
// blows (T G Z H), a step back. Each key is held for a few of the held-action timer's
// 50 ms ticks, then released for a moment.
struct KeyStep {
    int keyCode;
    long heldMs;
};
inline constexpr std::array<KeyStep, 7> kScriptedLeftPlayer{{{vk::Key::D, 250},
                                                             {vk::Key::T, 120},
                                                             {vk::Key::G, 120},
                                                             {vk::Key::D, 150},
                                                             {vk::Key::Z, 120},
                                                             {vk::Key::H, 120},
                                                             {vk::Key::A, 100}}};
inline constexpr long kBetweenKeysMs = 130;

// Moves the virtual clock like the headless pacer, then calls the probe: a test can look
// at the game at every frame of a blocking sequence.
class ProbingPacer : public vk::Pacer {
  public:
    explicit ProbingPacer(vk::VirtualPacer& inner) : inner_(inner) {}
    void pace(vk::Micros step) override {
        inner_.pace(step);
        if (probe) probe();
    }
    std::uint64_t paces() const { return inner_.paces(); }
    std::function<void()> probe;

  private:
    vk::VirtualPacer& inner_;
};

class WholeGame {
  public:
    explicit WholeGame(const std::filesystem::path& programFolder,
                       vk::PictureDecoder* decoder = nullptr,
                       std::unique_ptr<vk::SettingsStore> settings = nullptr,
                       vk::Pacer* otherPacer = nullptr)
        : headless(programFolder, std::move(settings)),
          pacer(headless.pacer),
          platform{headless.clock,
                   otherPacer ? *otherPacer : pacer,
                   headless.input,
                   headless.audio,
                   headless.video,
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
        headless.input.post(std::move(event));
        runtime.dispatchPending();
    }
    void click(const vk::Control& c) { post(vk::clickOn(c)); }
    void moveOver(const vk::Control& c) { post(vk::moveOver(c)); }
    void keyDown(int keyCode, int shift = 0) { post(vk::KeyDownEvent{keyCode, shift}); }
    void press(int keyCode) {
        keyDown(keyCode);
        post(vk::KeyUpEvent{keyCode, 0});
    }
    // Runs a routine as a top-level event (end of program and errors handled).
    template <class F>
    void run(F&& f) {
        runtime.runTopLevel(std::forward<F>(f));
    }
    // Runs one of a screen's public routines by name, as an event would.
    void call(vk::Screen& screen, const std::string& routine) {
        run(screen.routines().at(routine));
    }

    static bool showing(const vk::Screen& screen) { return screen.loaded() && screen.visible(); }

    // Title screen, first-run OK: the selection screen is shown.
    void startToSelection() {
        game.start();
        if (!runtime.ended()) click(game.uvodni().ui().Image5);
    }
    // Clicks a fighter's portrait on the selection screen.
    void pick(const std::string& code) { click(game.vyberpostav().ui().portraits[code]); }

    // Sets the computer on the right side with one of its difficulty buttons (Image7,
    // Image8 or Image9), then picks both fighters; the hand-over shows the fight screen.
    bool startFightAgainstComputer(vk::Control VyberpostavControls::*difficulty,
                                   const std::string& left, const std::string& right) {
        auto& selection = game.vyberpostav().ui();
        click(selection.Image3);
        click(selection.*difficulty);
        pick(left);
        pick(right);
        return runUntil([&] { return showing(game.boj()); }, 7000);
    }

    // Plays the left side with the scripted keys until the after-fight screen shows or
    // `limitMs` have passed; true when it shows.
    bool playLeftUntilFightEnds(long limitMs = kLongestFightMs) {
        const long end = nowMs() + limitMs;
        for (std::size_t next = 0; !showing(game.drzky()) && !runtime.ended() && nowMs() < end;
             next = (next + 1) % kScriptedLeftPlayer.size()) {
            const KeyStep& step = kScriptedLeftPlayer[next];
            post(vk::KeyDownEvent{step.keyCode, 0});
            advanceMs(step.heldMs);
            post(vk::KeyUpEvent{step.keyCode, 0});
            advanceMs(kBetweenKeysMs);
        }
        return showing(game.drzky());
    }

    // Moves the clock on in steps until `done` holds or `limitMs` have passed.
    bool runUntil(const std::function<bool()>& done, long limitMs, long stepMs = 10) {
        const long end = nowMs() + limitMs;
        while (!done() && !runtime.ended() && nowMs() < end) advanceMs(stepMs);
        return done();
    }

    vk::HeadlessPlatform headless;
    ProbingPacer pacer;
    vk::Platform platform;
    vk::Runtime runtime;
    Game game;
};

}  // namespace vorkala::testing
