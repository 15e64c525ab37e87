#include "runtime/sdl/key_map.h"

#include <optional>
#include <utility>

namespace vk::sdl {

namespace {

template <class Key>
using KeyTable = std::pair<Key, int>[];

// Keys the same on every layout, by symbol.
constexpr KeyTable<SDL_Keycode> kNamedKeys = {
    {SDLK_BACKSPACE, vkey::kBackspace},
    {SDLK_TAB, vkey::kTab},
    {SDLK_CLEAR, vkey::kClear},
    {SDLK_RETURN, vkey::kEnter},
    {SDLK_RETURN2, vkey::kEnter},
    {SDLK_KP_ENTER, vkey::kEnter},
    {SDLK_LSHIFT, vkey::kShift},
    {SDLK_RSHIFT, vkey::kShift},
    {SDLK_LCTRL, vkey::kControl},
    {SDLK_RCTRL, vkey::kControl},
    {SDLK_LALT, vkey::kAlt},
    {SDLK_RALT, vkey::kAlt},
    {SDLK_MODE, vkey::kAlt},
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
    {SDLK_SELECT, vkey::kSelect},
    {SDLK_EXECUTE, vkey::kExecute},
    {SDLK_PRINTSCREEN, vkey::kPrintScreen},
    {SDLK_INSERT, vkey::kInsert},
    {SDLK_DELETE, vkey::kDelete},
    {SDLK_HELP, vkey::kHelp},
    {SDLK_LGUI, vkey::kLeftWindows},
    {SDLK_RGUI, vkey::kRightWindows},
    {SDLK_APPLICATION, vkey::kApps},
    {SDLK_MENU, vkey::kApps},
    {SDLK_SLEEP, vkey::kSleep},
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
    {SDLK_KP_COMMA, vkey::kSeparator},
    {SDLK_KP_MINUS, vkey::kSubtract},
    {SDLK_KP_PERIOD, vkey::kDecimal},
    {SDLK_KP_DIVIDE, vkey::kDivide},
    {SDLK_NUMLOCKCLEAR, vkey::kNumLock},
    {SDLK_SCROLLLOCK, vkey::kScrollLock},
};

// Punctuation whose code follows the character on any layout.
constexpr KeyTable<SDL_Keycode> kPunctuation = {
    {SDLK_COMMA, vkey::kOemComma}, {SDLK_PERIOD, vkey::kOemPeriod}, {SDLK_MINUS, vkey::kOemMinus},
    {SDLK_EQUALS, vkey::kOemPlus}, {SDLK_PLUS, vkey::kOemPlus},
};

// The other punctuation keys, by their place on the keyboard.
constexpr KeyTable<SDL_Scancode> kPunctuationPlaces = {
    {SDL_SCANCODE_SEMICOLON, vkey::kOem1},
    {SDL_SCANCODE_EQUALS, vkey::kOemPlus},
    {SDL_SCANCODE_COMMA, vkey::kOemComma},
    {SDL_SCANCODE_MINUS, vkey::kOemMinus},
    {SDL_SCANCODE_PERIOD, vkey::kOemPeriod},
    {SDL_SCANCODE_SLASH, vkey::kOem2},
    {SDL_SCANCODE_GRAVE, vkey::kOem3},
    {SDL_SCANCODE_LEFTBRACKET, vkey::kOem4},
    {SDL_SCANCODE_BACKSLASH, vkey::kOem5},
    {SDL_SCANCODE_NONUSHASH, vkey::kOem5},
    {SDL_SCANCODE_RIGHTBRACKET, vkey::kOem6},
    {SDL_SCANCODE_APOSTROPHE, vkey::kOem7},
    {SDL_SCANCODE_NONUSBACKSLASH, vkey::kOem102},
};

template <class Key, std::size_t N>
std::optional<int> lookUp(const std::pair<Key, int> (&table)[N], Key key) {
    for (const auto& [entry, code] : table)
        if (entry == key) return code;
    return std::nullopt;
}

std::optional<int> letterOrDigit(SDL_Keycode symbol) {
    if (symbol >= SDLK_a && symbol <= SDLK_z) return 'A' + (symbol - SDLK_a);
    if (symbol >= SDLK_0 && symbol <= SDLK_9) return '0' + (symbol - SDLK_0);
    return std::nullopt;
}

std::optional<int> functionKey(SDL_Keycode symbol) {
    if (symbol >= SDLK_F1 && symbol <= SDLK_F12) return vkey::kF1 + (symbol - SDLK_F1);
    if (symbol >= SDLK_F13 && symbol <= SDLK_F24) return vkey::kF13 + (symbol - SDLK_F13);
    return std::nullopt;
}

// Layouts such as the Czech one put accented letters and signs on the digit row; the game
// still wants the digit there.
std::optional<int> digitByPlace(SDL_Scancode place) {
    if (place >= SDL_SCANCODE_1 && place <= SDL_SCANCODE_9) return '1' + (place - SDL_SCANCODE_1);
    if (place == SDL_SCANCODE_0) return '0';
    return std::nullopt;
}

// A layout of other letters (Cyrillic, Greek) still has A to Z where they are on others.
std::optional<int> letterByPlace(SDL_Scancode place) {
    if (place >= SDL_SCANCODE_A && place <= SDL_SCANCODE_Z) return 'A' + (place - SDL_SCANCODE_A);
    return std::nullopt;
}

// A key that types a character but is none of the above: a layout's extra key.
bool typesCharacter(SDL_Keycode symbol) {
    return symbol >= SDLK_SPACE && (symbol & SDLK_SCANCODE_MASK) == 0;
}

}  // namespace

int virtualKeyOf(SDL_Keycode symbol, SDL_Scancode place) {
    if (auto code = letterOrDigit(symbol)) return *code;
    if (auto code = functionKey(symbol)) return *code;
    if (auto code = lookUp(kNamedKeys, symbol)) return *code;
    if (auto code = digitByPlace(place)) return *code;
    if (auto code = lookUp(kPunctuation, symbol)) return *code;
    if (auto code = letterByPlace(place)) return *code;
    if (auto code = lookUp(kPunctuationPlaces, place)) return *code;
    return typesCharacter(symbol) ? vkey::kOem8 : vkey::kUnknown;
}

int shiftStateOf(Uint16 modifiers) {
    int state = 0;
    if (modifiers & KMOD_SHIFT) state += 1;
    if (modifiers & KMOD_CTRL) state += 2;
    if (modifiers & KMOD_ALT) state += 4;
    return state;
}

}  // namespace vk::sdl
