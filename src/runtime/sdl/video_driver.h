// Which of SDL's video drivers the game runs on. Without a display SDL falls back to a
// driver that draws into memory (`offscreen`), and a game started there would play on
// unseen; so the game runs only on a driver that shows a window, or on the one the player
// named in SDL_VIDEODRIVER (as the tests name `dummy`).
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vk::sdl {

// The drivers named in SDL_VIDEODRIVER, a comma-separated list; empty when none is named.
std::string_view namedVideoDrivers();

// Whether SDL may try `driver`: it is named in `named`, or nothing is named.
bool mayTryVideoDriver(std::string_view driver, std::string_view named = namedVideoDrivers());

// Whether the game may run on `driver` (empty for none): it is named in `named`, or with
// nothing named it shows a window on a display.
bool videoDriverShowsGame(std::string_view driver, std::string_view named = namedVideoDrivers());

// Whether `driver` shows nothing: it draws into memory only.
bool headlessVideoDriver(std::string_view driver);

// What the player is told when SDL found no display: the displays looked for (DISPLAY,
// and whether an X server answered there; WAYLAND_DISPLAY), what SDL did (`failure`) and
// that SDL_VIDEODRIVER picks a driver.
std::string noDisplayMessage(std::optional<bool> xServerReached, std::string_view failure);

}  // namespace vk::sdl
