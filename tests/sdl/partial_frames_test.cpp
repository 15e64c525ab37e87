// A played game shown the way the game shows it, redrawing and sending to the window only
// what changed, against the same frames drawn whole: after every frame, on every screen,
// the window holds the same picture, in a window of the canvas's size and in one the
// canvas is scaled into with bars beside it.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <set>
#include <sstream>
#include <string>

#include "runtime/data_files.h"
#include "runtime/sdl/canvas_view.h"
#include "runtime/sdl/frame_output.h"
#include "runtime/sdl/screen_renderer.h"
#include "runtime/sdl/sdl_services.h"
#include "sdl/sdl_test_support.h"
#include "whole_game.h"

namespace vk::sdl {
namespace {

using vorkala::testing::kScriptedLeftPlayer;
using vorkala::testing::WholeGame;

struct WindowSize {
    int w, h;
};

// The virtual clock's pacing with a frame shown at a pacing point when one is due, as the
// game shows frames inside its blocking loops.
struct FramingPacer : Pacer {
    void pace(Micros step) override {
        inner->pace(step);
        frame();
    }
    VirtualPacer* inner = nullptr;
    std::function<void()> frame;
};

class PartialFrames : public ::testing::TestWithParam<WindowSize> {
  protected:
    PartialFrames() : sdl(SDL_INIT_VIDEO), game(defaultProgramFolder(), &decoder, nullptr, &pacer) {
        pacer.inner = &game.headless.pacer;
        pacer.frame = [this] {
            if (game.runtime.now() - lastFrameAt >= 16 * kMicrosPerMilli) frame();
        };
        game.headless.display.setDesktop(1024, 768);
        const auto [w, h] = GetParam();
        window.reset(SDL_CreateWindow("partial", 0, 0, w, h, SDL_WINDOW_HIDDEN));
        output = openSoftwareFrameOutput(window.get());
        const SDL_Surface* shown = SDL_GetWindowSurface(window.get());
        const Uint32 format = shown->format->format;
        canvas.reset(SDL_CreateRGBSurfaceWithFormat(0, kCanvasWidth, kCanvasHeight, 32, format));
        whole.reset(SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, format));
        renderer.reset(SDL_CreateSoftwareRenderer(canvas.get()));
        screens.emplace(renderer.get());
    }

    // Shows a frame both ways and compares the windows' pixels.
    void frame(bool wholeWindow = false) {
        lastFrameAt = game.runtime.now();
        output->present(game.runtime, wholeWindow);
        screens->draw(game.runtime);
        SDL_RenderFlush(renderer.get());
        const ViewRect v = letterbox(whole->w, whole->h);
        const SDL_Rect view{v.x, v.y, v.w, v.h};
        SDL_FillRect(whole.get(), nullptr, SDL_MapRGB(whole->format, 0, 0, 0));
        if (v.w == kCanvasWidth) {
            SDL_Rect at = view;
            SDL_BlitSurface(canvas.get(), nullptr, whole.get(), &at);
        } else {
            stretchCanvas(*canvas, *whole, view, view);
        }
        const Screen* front = game.runtime.activeScreen();
        const std::string name = front ? front->name() : "none";
        seen.insert(name);
        ++frames;
        const int different = differentPixels(*SDL_GetWindowSurface(window.get()), *whole);
        if (different > 0 && failures.size() < 5)
            failures.push_back("frame " + std::to_string(frames) + " on " + name + ": " +
                               std::to_string(different) + " pixels differ");
    }

    static int differentPixels(const SDL_Surface& a, const SDL_Surface& b) {
        int count = 0;
        for (int y = 0; y < a.h; ++y) {
            const auto* rowA = static_cast<const Uint32*>(a.pixels) + y * a.pitch / 4;
            const auto* rowB = static_cast<const Uint32*>(b.pixels) + y * b.pitch / 4;
            if (std::memcmp(rowA, rowB, static_cast<std::size_t>(a.w) * 4) == 0) continue;
            for (int x = 0; x < a.w; ++x) count += (rowA[x] & 0xFFFFFF) != (rowB[x] & 0xFFFFFF);
        }
        return count;
    }

    // The game's clock moves on by frames of 16 ms, each shown.
    void play(long ms) {
        for (long t = 0; t < ms && !game.runtime.ended(); t += 16) {
            game.advanceMs(16);
            frame();
        }
    }
    void click(const Control& c) {
        game.click(c);
        frame();
    }
    void moveOver(const Control& c) {
        game.moveOver(c);
        frame();
    }

    // The left player's keys, each held and let go, with frames meanwhile.
    void fightWithKeys(long ms) {
        for (long played = 0; played < ms;)
            for (const auto& step : kScriptedLeftPlayer) {
                game.post(KeyDownEvent{step.keyCode, 0});
                play(step.heldMs);
                game.post(KeyUpEvent{step.keyCode, 0});
                play(vorkala::testing::kBetweenKeysMs);
                played += step.heldMs + vorkala::testing::kBetweenKeysMs;
            }
    }

    static inline SdlPictureDecoder decoder;
    testing::SdlSession sdl;
    FramingPacer pacer;
    WholeGame game;
    WindowPtr window;
    std::unique_ptr<FrameOutput> output;
    SurfacePtr canvas, whole;
    RendererPtr renderer;
    std::optional<ScreenRenderer> screens;
    std::set<std::string> seen;
    std::vector<std::string> failures;
    int frames = 0;
    Micros lastFrameAt = 0;
};

TEST_P(PartialFrames, EveryFrameOfAPlayedGameEqualsTheWholeRedraw) {
    ASSERT_TRUE(sdl.ok());
    auto& g = game.game;
    g.start();
    play(500);
    auto& title = g.uvodni().ui();
    for (const Control* button : {&title.Image3, &title.Image5, &title.Image2}) moveOver(*button);
    click(title.Image3);  // the info screen
    play(500);
    game.press(65);
    play(500);
    click(title.Image5);  // the selection screen
    play(500);
    auto& selection = g.vyberpostav().ui();
    click(selection.Image3);
    click(selection.Image8);
    game.moveOver(selection.portraits["krt"]);
    play(300);
    click(selection.portraits["pz2"]);
    play(300);
    click(selection.portraits["pz"]);
    for (int i = 0; i < 500 && !WholeGame::showing(g.boj()); ++i) play(16);
    ASSERT_TRUE(WholeGame::showing(g.boj()));
    fightWithKeys(3000);
    frame(true);  // the window exposed
    for (int i = 0; i < 1000 && !WholeGame::showing(g.drzky()); ++i) {
        game.advanceMs(200);
        frame();
    }
    ASSERT_TRUE(WholeGame::showing(g.drzky()));
    play(1000);
    click(g.drzky().ui().Image2);  // the end screen
    play(2000);

    EXPECT_TRUE(failures.empty()) << ::testing::PrintToString(failures);
    EXPECT_EQ(seen, (std::set<std::string>{"uvodni", "hlaska", "vyberpostav", "boj", "drzky",
                                           "konecna"}));
    EXPECT_GT(frames, 600);
}

INSTANTIATE_TEST_SUITE_P(Windows, PartialFrames,
                         ::testing::Values(WindowSize{800, 600}, WindowSize{1280, 720}),
                         [](const auto& info) {
                             return std::to_string(info.param.w) + "x" +
                                    std::to_string(info.param.h);
                         });

}  // namespace
}  // namespace vk::sdl
