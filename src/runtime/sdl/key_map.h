// Keyboard translation: SDL keys to the key codes and shift states the game's key
// handlers test.
#pragma once

#include <SDL.h>

#include "runtime/keys.h"

namespace vk::sdl {

// The virtual-key code of a key, by the symbol the keyboard layout gives it (so Z is Z on
// every layout) and, for keys the layout turns into other symbols, by its place on the
// keyboard. The keypad's digits follow Num Lock in the modifiers. Every key has a code: one
// the game has no name for is an OEM or unknown key.
int virtualKeyOf(SDL_Keycode symbol, SDL_Scancode place, Uint16 modifiers);

// The shift state of key events: 1 Shift, 2 Ctrl, 4 Alt, added together.
int shiftStateOf(Uint16 modifiers);

}  // namespace vk::sdl
