// Which of SDL's video drivers the game may try and run on, by what SDL_VIDEODRIVER names.
#include "runtime/sdl/video_driver.h"

#include <gtest/gtest.h>

namespace vk::sdl {
namespace {

struct DriverCase {
    const char* named;  // SDL_VIDEODRIVER
    const char* driver;
    bool mayTry;
    bool showsGame;
};

TEST(VideoDriver, RunsOnlyOnADisplayOrOnTheDriverNamed) {
    const DriverCase cases[] = {
        {"", "x11", true, true},
        {"", "wayland", true, true},
        {"", "offscreen", true, false},  // SDL's fall-back without a display
        {"", "dummy", true, false},
        {"", "", true, false},  // none started
        {"dummy", "dummy", false, true},
        {"offscreen", "offscreen", false, true},
        {"wayland,x11", "x11", true, true},
        {"Wayland,X11", "wayland", true, true},
        {"wayland", "x11", false, false},
        {"x11", "offscreen", true, false},
    };
    for (const DriverCase& c : cases) {
        SCOPED_TRACE(std::string(c.named) + " / " + c.driver);
        EXPECT_EQ(mayTryVideoDriver("x11", c.named), c.mayTry);
        EXPECT_EQ(videoDriverShowsGame(c.driver, c.named), c.showsGame);
    }
}

}  // namespace
}  // namespace vk::sdl
