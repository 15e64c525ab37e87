#include "runtime/sdl/key_map.h"

#include <optional>
#include <utility>

namespace vk::sdl {

namespace {

template <class Entry>
using KeyTable = std::pair<Entry, int>[];

// Keys the same on every layout, by symbol.
constexpr KeyTable<SDL_Keycode> kNamedKeys = {
    {SDLK_BACKSPACE, Key::Backspace},
    {SDLK_TAB, Key::Tab},
    {SDLK_CLEAR, Key::Clear},
    {SDLK_RETURN, Key::Enter},
    {SDLK_RETURN2, Key::Enter},
    {SDLK_KP_ENTER, Key::Enter},
    {SDLK_LSHIFT, Key::Shift},
    {SDLK_RSHIFT, Key::Shift},
    {SDLK_LCTRL, Key::Control},
    {SDLK_RCTRL, Key::Control},
    {SDLK_LALT, Key::Alt},
    {SDLK_RALT, Key::Alt},
    {SDLK_MODE, Key::Alt},
    {SDLK_PAUSE, Key::Pause},
    {SDLK_CAPSLOCK, Key::CapsLock},
    {SDLK_ESCAPE, Key::Escape},
    {SDLK_SPACE, Key::Space},
    {SDLK_PAGEUP, Key::PageUp},
    {SDLK_PAGEDOWN, Key::PageDown},
    {SDLK_END, Key::End},
    {SDLK_HOME, Key::Home},
    {SDLK_LEFT, Key::Left},
    {SDLK_UP, Key::Up},
    {SDLK_RIGHT, Key::Right},
    {SDLK_DOWN, Key::Down},
    {SDLK_SELECT, Key::Select},
    {SDLK_EXECUTE, Key::Execute},
    {SDLK_PRINTSCREEN, Key::PrintScreen},
    {SDLK_INSERT, Key::Insert},
    {SDLK_DELETE, Key::Delete},
    {SDLK_HELP, Key::Help},
    {SDLK_LGUI, Key::LeftWindows},
    {SDLK_RGUI, Key::RightWindows},
    {SDLK_APPLICATION, Key::Apps},
    {SDLK_MENU, Key::Apps},
    {SDLK_SLEEP, Key::Sleep},
    {SDLK_KP_MULTIPLY, Key::Multiply},
    {SDLK_KP_PLUS, Key::Add},
    {SDLK_KP_COMMA, Key::Separator},
    {SDLK_KP_MINUS, Key::Subtract},
    {SDLK_KP_DIVIDE, Key::Divide},
    {SDLK_NUMLOCKCLEAR, Key::NumLock},
    {SDLK_SCROLLLOCK, Key::ScrollLock},
};

// The keypad's digits and decimal point with Num Lock on.
constexpr KeyTable<SDL_Keycode> kKeypadDigits = {
    {SDLK_KP_0, Key::Numpad0},     {SDLK_KP_1, Key::Numpad0 + 1},  {SDLK_KP_2, Key::Numpad0 + 2},
    {SDLK_KP_3, Key::Numpad0 + 3}, {SDLK_KP_4, Key::Numpad0 + 4},  {SDLK_KP_5, Key::Numpad0 + 5},
    {SDLK_KP_6, Key::Numpad0 + 6}, {SDLK_KP_7, Key::Numpad0 + 7},  {SDLK_KP_8, Key::Numpad0 + 8},
    {SDLK_KP_9, Key::Numpad0 + 9}, {SDLK_KP_PERIOD, Key::Decimal},
};

// The same keys with Num Lock off: the navigation keys printed under the digits, so the
// right player can play on the keypad's arrows, Ins, Del, Home and End.
constexpr KeyTable<SDL_Keycode> kKeypadNavigation = {
    {SDLK_KP_0, Key::Insert},   {SDLK_KP_1, Key::End},         {SDLK_KP_2, Key::Down},
    {SDLK_KP_3, Key::PageDown}, {SDLK_KP_4, Key::Left},        {SDLK_KP_5, Key::Clear},
    {SDLK_KP_6, Key::Right},    {SDLK_KP_7, Key::Home},        {SDLK_KP_8, Key::Up},
    {SDLK_KP_9, Key::PageUp},   {SDLK_KP_PERIOD, Key::Delete},
};

// Punctuation whose code follows the character on any layout.
constexpr KeyTable<SDL_Keycode> kPunctuation = {
    {SDLK_COMMA, Key::OemComma}, {SDLK_PERIOD, Key::OemPeriod}, {SDLK_MINUS, Key::OemMinus},
    {SDLK_EQUALS, Key::OemPlus}, {SDLK_PLUS, Key::OemPlus},
};

// The other punctuation keys, by their place on the keyboard.
constexpr KeyTable<SDL_Scancode> kPunctuationPlaces = {
    {SDL_SCANCODE_SEMICOLON, Key::Oem1},
    {SDL_SCANCODE_EQUALS, Key::OemPlus},
    {SDL_SCANCODE_COMMA, Key::OemComma},
    {SDL_SCANCODE_MINUS, Key::OemMinus},
    {SDL_SCANCODE_PERIOD, Key::OemPeriod},
    {SDL_SCANCODE_SLASH, Key::Oem2},
    {SDL_SCANCODE_GRAVE, Key::Oem3},
    {SDL_SCANCODE_LEFTBRACKET, Key::Oem4},
    {SDL_SCANCODE_BACKSLASH, Key::Oem5},
    {SDL_SCANCODE_NONUSHASH, Key::Oem5},
    {SDL_SCANCODE_RIGHTBRACKET, Key::Oem6},
    {SDL_SCANCODE_APOSTROPHE, Key::Oem7},
    {SDL_SCANCODE_NONUSBACKSLASH, Key::Oem102},
};

template <class Entry, std::size_t N>
std::optional<int> lookUp(const std::pair<Entry, int> (&table)[N], Entry key) {
    for (const auto& [entry, code] : table)
        if (entry == key) return code;
    return std::nullopt;
}

std::optional<int> letterOrDigit(SDL_Keycode symbol) {
    if (symbol >= SDLK_a && symbol <= SDLK_z) return Key::A + (symbol - SDLK_a);
    if (symbol >= SDLK_0 && symbol <= SDLK_9) return Key::Digit0 + (symbol - SDLK_0);
    return std::nullopt;
}

std::optional<int> functionKey(SDL_Keycode symbol) {
    if (symbol >= SDLK_F1 && symbol <= SDLK_F12) return Key::F1 + (symbol - SDLK_F1);
    if (symbol >= SDLK_F13 && symbol <= SDLK_F24) return Key::F13 + (symbol - SDLK_F13);
    return std::nullopt;
}

// Layouts such as the Czech one put accented letters and signs on the digit row; the game
// still wants the digit there.
std::optional<int> digitByPlace(SDL_Scancode place) {
    if (place >= SDL_SCANCODE_1 && place <= SDL_SCANCODE_9)
        return Key::Digit0 + 1 + (place - SDL_SCANCODE_1);
    if (place == SDL_SCANCODE_0) return Key::Digit0;
    return std::nullopt;
}

// A layout of other letters (Cyrillic, Greek) still has A to Z where they are on others.
std::optional<int> letterByPlace(SDL_Scancode place) {
    if (place >= SDL_SCANCODE_A && place <= SDL_SCANCODE_Z)
        return Key::A + (place - SDL_SCANCODE_A);
    return std::nullopt;
}

// A key that types a character but is none of the above: a layout's extra key.
bool typesCharacter(SDL_Keycode symbol) {
    return symbol >= SDLK_SPACE && (symbol & SDLK_SCANCODE_MASK) == 0;
}

}  // namespace

int virtualKeyOf(SDL_Keycode symbol, SDL_Scancode place, Uint16 modifiers) {
    if (auto code = letterOrDigit(symbol)) return *code;
    if (auto code = functionKey(symbol)) return *code;
    if (auto code = lookUp(kNamedKeys, symbol)) return *code;
    if (auto code = lookUp(modifiers & KMOD_NUM ? kKeypadDigits : kKeypadNavigation, symbol))
        return *code;
    if (auto code = digitByPlace(place)) return *code;
    if (auto code = lookUp(kPunctuation, symbol)) return *code;
    if (auto code = letterByPlace(place)) return *code;
    if (auto code = lookUp(kPunctuationPlaces, place)) return *code;
    return typesCharacter(symbol) ? Key::Oem8 : Key::Unknown;
}

int shiftStateOf(Uint16 modifiers) {
    int state = 0;
    if (modifiers & KMOD_SHIFT) state += 1;
    if (modifiers & KMOD_CTRL) state += 2;
    if (modifiers & KMOD_ALT) state += 4;
    return state;
}

}  // namespace vk::sdl
