#include "runtime/sdl/video_driver.h"

#include <algorithm>
#include <cstdlib>

#include "runtime/text.h"

namespace vk::sdl {

namespace {

bool names(std::string_view named, std::string_view driver) {
    while (!named.empty()) {
        const std::size_t comma = std::min(named.find(','), named.size());
        if (sameIgnoringCase(named.substr(0, comma), driver)) return true;
        named.remove_prefix(std::min(comma + 1, named.size()));
    }
    return false;
}

// `NAME="value"`, or that it is not set.
std::string describeVariable(const char* name) {
    const char* value = std::getenv(name);
    if (!value || !*value) return std::string(name) + " is not set";
    return std::string(name) + "=\"" + value + "\"";
}

}  // namespace

std::string_view namedVideoDrivers() {
    const char* named = std::getenv("SDL_VIDEODRIVER");
    return named ? named : "";
}

bool mayTryVideoDriver(std::string_view driver, std::string_view named) {
    return named.empty() || names(named, driver);
}

bool videoDriverShowsGame(std::string_view driver, std::string_view named) {
    if (!named.empty()) return names(named, driver);
    return !driver.empty() && !headlessVideoDriver(driver);
}

bool headlessVideoDriver(std::string_view driver) {
    for (const std::string_view headless : {"offscreen", "dummy", "evdev"})
        if (sameIgnoringCase(driver, headless)) return true;
    return false;
}

std::string noDisplayMessage(std::optional<bool> xServerReached, std::string_view failure) {
    std::string x11 = describeVariable("DISPLAY");
    if (xServerReached == false) x11 += ", where no X server answers";
    return "Cannot show the game: no display to open (" + x11 + "; " +
           describeVariable("WAYLAND_DISPLAY") + "): " + std::string(failure) +
           ". SDL_VIDEODRIVER picks a video driver, such as x11 or wayland.";
}

}  // namespace vk::sdl
