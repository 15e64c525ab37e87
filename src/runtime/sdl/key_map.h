// Keyboard translation: SDL keys to the virtual-key codes and shift states the game's key
// handlers test (65 is A, 37 the left arrow, 45 Insert, ...).
#pragma once

#include <SDL.h>

namespace vk::sdl {

namespace vkey {
constexpr int kBackspace = 8, kTab = 9, kClear = 12, kEnter = 13, kShift = 16, kControl = 17;
constexpr int kAlt = 18, kPause = 19, kCapsLock = 20, kEscape = 27, kSpace = 32;
constexpr int kPageUp = 33, kPageDown = 34, kEnd = 35, kHome = 36;
constexpr int kLeft = 37, kUp = 38, kRight = 39, kDown = 40, kSelect = 41, kExecute = 43;
constexpr int kPrintScreen = 44, kInsert = 45, kDelete = 46, kHelp = 47;
constexpr int kLeftWindows = 91, kRightWindows = 92, kApps = 93, kSleep = 95;
constexpr int kNumpad0 = 96, kMultiply = 106, kAdd = 107, kSeparator = 108, kSubtract = 109;
constexpr int kDecimal = 110, kDivide = 111, kF1 = 112, kF13 = 124, kNumLock = 144;
constexpr int kScrollLock = 145;
// Punctuation: the codes of a US keyboard's keys, by the character or the place.
constexpr int kOem1 = 186, kOemPlus = 187, kOemComma = 188, kOemMinus = 189, kOemPeriod = 190;
constexpr int kOem2 = 191, kOem3 = 192, kOem4 = 219, kOem5 = 220, kOem6 = 221, kOem7 = 222;
constexpr int kOem8 = 223, kOem102 = 226;
// A key of no kind above.
constexpr int kUnknown = 255;
}  // namespace vkey

// The virtual-key code of a key, by the symbol the keyboard layout gives it (so Z is Z on
// every layout) and, for keys the layout turns into other symbols, by its place on the
// keyboard. Every key has a code: one the game has no name for is an OEM or unknown key.
int virtualKeyOf(SDL_Keycode symbol, SDL_Scancode place);

// The shift state of key events: 1 Shift, 2 Ctrl, 4 Alt, added together.
int shiftStateOf(Uint16 modifiers);

}  // namespace vk::sdl
