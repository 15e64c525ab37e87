// Keyboard translation: SDL keys to the virtual-key codes and shift states the game's key
// handlers test (65 is A, 37 the left arrow, 45 Insert, ...).
#pragma once

#include <SDL.h>

#include <optional>

namespace vk::sdl {

namespace vkey {
constexpr int kBackspace = 8, kTab = 9, kEnter = 13, kShift = 16, kControl = 17, kAlt = 18;
constexpr int kPause = 19, kCapsLock = 20, kEscape = 27, kSpace = 32;
constexpr int kPageUp = 33, kPageDown = 34, kEnd = 35, kHome = 36;
constexpr int kLeft = 37, kUp = 38, kRight = 39, kDown = 40, kInsert = 45, kDelete = 46;
constexpr int kNumpad0 = 96, kMultiply = 106, kAdd = 107, kSubtract = 109, kDecimal = 110;
constexpr int kDivide = 111, kF1 = 112;
}  // namespace vkey

// The virtual-key code of a key, by the symbol the keyboard layout gives it (so Z is Z on
// every layout) and, for letters and digits the layout turns into other symbols, by its
// place on the keyboard. nullopt for keys the game has no code for.
std::optional<int> virtualKeyOf(SDL_Keycode symbol, SDL_Scancode place);

// The shift state of key events: 1 Shift, 2 Ctrl, 4 Alt, added together.
int shiftStateOf(Uint16 modifiers);

}  // namespace vk::sdl
