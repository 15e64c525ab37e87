// The loading screen drawn as the player sees it on the way back to the selection screen:
// the "LOADING" picture whole in front of its frame, and the cyan bar growing over the
// teal line, part way through and at its full width.
#include <gtest/gtest.h>

#include <cmath>
#include <optional>

#include "runtime/data_files.h"
#include "runtime/sdl/canvas_view.h"
#include "runtime/sdl/screen_renderer.h"
#include "runtime/sdl/sdl_services.h"
#include "sdl/sdl_test_support.h"
#include "shell/nacitani.h"
#include "whole_game.h"

namespace vk::sdl {
namespace {

using vorkala::testing::WholeGame;

struct Rgb {
    int r, g, b;
    bool operator==(const Rgb&) const = default;
};

constexpr Rgb kCyan{0, 255, 255};
constexpr float kBarLeft = 840, kBarTop = 4320, kBarHeight = 1215;
constexpr float kFullBar = 10120;  // the width the way back sets last
constexpr float kBarStep = 100;    // twips a loading step widens the bar by

int pixelsOf(float twips) { return static_cast<int>(std::lround(twips / kTwipsPerPixel)); }

class LoadingScreen : public ::testing::Test {
  protected:
    LoadingScreen() : sdl(SDL_INIT_VIDEO), game(defaultProgramFolder(), &decoder) {
        game.headless.display.setDesktop(1024, 768);
        canvas.reset(SDL_CreateRGBSurfaceWithFormat(0, kCanvasWidth, kCanvasHeight, 32,
                                                    SDL_PIXELFORMAT_RGBA8888));
        renderer.reset(SDL_CreateSoftwareRenderer(canvas.get()));
        screens.emplace(renderer.get());
    }

    vorkala::NacitaniControls& loading() { return game.game.nacitani().ui(); }

    void render() {
        screens->draw(game.runtime);
        SDL_RenderFlush(renderer.get());
    }

    Rgb pixel(int x, int y) const {
        const auto* row = static_cast<const Uint8*>(canvas->pixels) + y * canvas->pitch;
        Uint8 r, g, b;
        SDL_GetRGB(reinterpret_cast<const Uint32*>(row)[x], canvas->format, &r, &g, &b);
        return {r, g, b};
    }

    // Opaque pixels of the "LOADING" picture that the canvas does not show as they are.
    int pictureFlaws() {
        const Control& image = game.game.nacitani().ui().Image1;
        const PictureData& picture = image.picture()->data();
        const int left = pixelsOf(image.left()), top = pixelsOf(image.top());
        int flaws = 0;
        for (int y = 0; y < picture.height; ++y)
            for (int x = 0; x < picture.width; ++x) {
                const std::uint32_t rgba =
                    picture.rgba[static_cast<std::size_t>(y * picture.width + x)];
                if ((rgba & 0xFF) != 0xFF) continue;  // see-through: what lies behind shows
                const Rgb own{static_cast<int>(rgba >> 24), static_cast<int>((rgba >> 16) & 0xFF),
                              static_cast<int>((rgba >> 8) & 0xFF)};
                flaws += pixel(left + x, top + y) == own ? 0 : 1;
            }
        return flaws;
    }

    // How far the cyan bar reaches from its left end, on each row of its height: the
    // shortest and the longest reach.
    std::pair<int, int> barReach() const {
        const int left = pixelsOf(kBarLeft);
        int shortest = kCanvasWidth, longest = 0;
        for (int y = pixelsOf(kBarTop); y < pixelsOf(kBarTop + kBarHeight); ++y) {
            int x = left;
            while (x < kCanvasWidth && pixel(x, y) == kCyan) ++x;
            shortest = std::min(shortest, x - left);
            longest = std::max(longest, x - left);
        }
        return {shortest, longest};
    }

    void expectBarOf(float widthTwips) {
        const int expected = pixelsOf(kBarLeft + widthTwips) - pixelsOf(kBarLeft);
        const auto [shortest, longest] = barReach();
        EXPECT_NEAR(shortest, expected, 1) << "every row of the bar shows its whole width";
        EXPECT_NEAR(longest, expected, 1);
    }

    static inline SdlPictureDecoder decoder;
    testing::SdlSession sdl;
    WholeGame game;
    SurfacePtr canvas;
    RendererPtr renderer;
    std::optional<ScreenRenderer> screens;
};

TEST_F(LoadingScreen, PictureShowsWholeAndTheBarGrowsStepByStep) {
    game.startToSelection();
    game.run([&] { game.game.nacitani().show(); });
    ASSERT_TRUE(loading().Image1.picture());
    int done = 0;
    for (int steps : {0, 1, 5, 12}) {
        for (; done < steps; ++done) game.call(game.game.drzky(), "AdvanceLoadingBar");
        render();
        EXPECT_EQ(pictureFlaws(), 0) << "after " << steps << " steps";
        expectBarOf(loading().lista.width());
        EXPECT_EQ(loading().lista.width(), 375 + kBarStep * static_cast<float>(steps));
    }
}

// After a won ladder fight the way back lays out the ladder behind the loading screen for
// a few seconds: the player sees the picture and the full bar all that time.
TEST_F(LoadingScreen, TheWayBackFromALadderFightShowsTheFullBar) {
    game.startToSelection();
    auto& selection = game.game.vyberpostav();
    game.call(selection, "Image10_Click");  // the left human climbs the right ladder
    game.call(selection, "krt_Click");
    game.call(selection, "tb_Click");
    ASSERT_TRUE(game.runUntil([&] { return WholeGame::showing(game.game.boj()); }, 7000));
    game.run([&] {
        auto& fight = game.game.boj().ui();
        fight.ziv1.setCaption("37");
        fight.ziv2.setCaption("-2");
        game.game.boj().vyhra();
    });
    ASSERT_TRUE(game.runUntil([&] { return WholeGame::showing(game.game.drzky()); }, 15000));
    // The way back lets the screens be drawn only at the pacing points inside the ladder's
    // glides: the test looks at every one.
    int looks = 0;
    game.pacer.probe = [&] {
        if (!WholeGame::showing(game.game.nacitani()) || looks++ % 2000 != 0) return;
        render();
        EXPECT_EQ(game.runtime.activeScreen(), &game.game.nacitani());
        EXPECT_EQ(pictureFlaws(), 0);
        expectBarOf(kFullBar);
    };
    game.click(game.game.drzky().ui().Image1);
    game.pacer.probe = nullptr;
    EXPECT_GT(looks, 0) << "the loading screen stood while the ladder was laid out";
    EXPECT_TRUE(WholeGame::showing(selection));
}

}  // namespace
}  // namespace vk::sdl
