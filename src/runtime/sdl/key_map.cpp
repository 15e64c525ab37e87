#include "runtime/sdl/key_map.h"

#include <array>
#include <utility>

namespace vk::sdl {

namespace {

constexpr std::array<std::pair<SDL_Keycode, int>, 40> kNamedKeys = {{
    {SDLK_BACKSPACE, vkey::kBackspace},
    {SDLK_TAB, vkey::kTab},
    {SDLK_RETURN, vkey::kEnter},
    {SDLK_KP_ENTER, vkey::kEnter},
    {SDLK_LSHIFT, vkey::kShift},
    {SDLK_RSHIFT, vkey::kShift},
    {SDLK_LCTRL, vkey::kControl},
    {SDLK_RCTRL, vkey::kControl},
    {SDLK_LALT, vkey::kAlt},
    {SDLK_RALT, vkey::kAlt},
    {SDLK_PAUSE, vkey::kPause},
    {SDLK_CAPSLOCK, vkey::kCapsLock},
    {SDLK_ESCAPE, vkey::kEscape},
    {SDLK_SPACE, vkey::kSpace},
    {SDLK_PAGEUP, vkey::kPageUp},
    {SDLK_PAGEDOWN, vkey::kPageDown},
    {SDLK_END, vkey::kEnd},
    {SDLK_HOME, vkey::kHome},
    {SDLK_LEFT, vkey::kLeft},
    {SDLK_UP, vkey::kUp},
    {SDLK_RIGHT, vkey::kRight},
    {SDLK_DOWN, vkey::kDown},
    {SDLK_INSERT, vkey::kInsert},
    {SDLK_DELETE, vkey::kDelete},
    {SDLK_KP_0, vkey::kNumpad0},
    {SDLK_KP_1, vkey::kNumpad0 + 1},
    {SDLK_KP_2, vkey::kNumpad0 + 2},
    {SDLK_KP_3, vkey::kNumpad0 + 3},
    {SDLK_KP_4, vkey::kNumpad0 + 4},
    {SDLK_KP_5, vkey::kNumpad0 + 5},
    {SDLK_KP_6, vkey::kNumpad0 + 6},
    {SDLK_KP_7, vkey::kNumpad0 + 7},
    {SDLK_KP_8, vkey::kNumpad0 + 8},
    {SDLK_KP_9, vkey::kNumpad0 + 9},
    {SDLK_KP_MULTIPLY, vkey::kMultiply},
    {SDLK_KP_PLUS, vkey::kAdd},
    {SDLK_KP_MINUS, vkey::kSubtract},
    {SDLK_KP_PERIOD, vkey::kDecimal},
    {SDLK_KP_DIVIDE, vkey::kDivide},
    {SDLK_MENU, 93},
}};

std::optional<int> letterOrDigit(SDL_Keycode symbol) {
    if (symbol >= SDLK_a && symbol <= SDLK_z) return 'A' + (symbol - SDLK_a);
    if (symbol >= SDLK_0 && symbol <= SDLK_9) return '0' + (symbol - SDLK_0);
    return std::nullopt;
}

std::optional<int> functionKey(SDL_Keycode symbol) {
    if (symbol >= SDLK_F1 && symbol <= SDLK_F12) return vkey::kF1 + (symbol - SDLK_F1);
    return std::nullopt;
}

std::optional<int> namedKey(SDL_Keycode symbol) {
    for (const auto& [sdlKey, code] : kNamedKeys)
        if (sdlKey == symbol) return code;
    return std::nullopt;
}

// Layouts such as the Czech one put accented letters on the digit row; the game still
// wants the digit there.
std::optional<int> byPlace(SDL_Scancode place) {
    if (place >= SDL_SCANCODE_A && place <= SDL_SCANCODE_Z) return 'A' + (place - SDL_SCANCODE_A);
    if (place >= SDL_SCANCODE_1 && place <= SDL_SCANCODE_9) return '1' + (place - SDL_SCANCODE_1);
    if (place == SDL_SCANCODE_0) return '0';
    return std::nullopt;
}

}  // namespace

std::optional<int> virtualKeyOf(SDL_Keycode symbol, SDL_Scancode place) {
    if (auto code = letterOrDigit(symbol)) return code;
    if (auto code = functionKey(symbol)) return code;
    if (auto code = namedKey(symbol)) return code;
    return byPlace(place);
}

int shiftStateOf(Uint16 modifiers) {
    int state = 0;
    if (modifiers & KMOD_SHIFT) state += 1;
    if (modifiers & KMOD_CTRL) state += 2;
    if (modifiers & KMOD_ALT) state += 4;
    return state;
}

}  // namespace vk::sdl
