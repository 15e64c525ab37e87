// Keyboard codes, the letterbox scaling and the translation of SDL's events.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <variant>

#include "runtime/sdl/canvas_view.h"
#include "runtime/sdl/input.h"
#include "runtime/sdl/key_map.h"
#include "runtime/sdl/sdl_app.h"

namespace vk::sdl {
namespace {

struct KeyCase {
    SDL_Keycode symbol;
    SDL_Scancode place;
    int code;
};

TEST(KeyMap, EveryKeyHasACode) {
    const KeyCase cases[] = {
        // Letters and digits, and the fighters' keys.
        {SDLK_a, SDL_SCANCODE_A, Key::A},
        {SDLK_z, SDL_SCANCODE_Z, Key::Z},
        // A German layout: the key labelled Z sits where Y is on others; the label counts.
        {SDLK_z, SDL_SCANCODE_Y, Key::Z},
        {SDLK_9, SDL_SCANCODE_9, Key::Digit0 + 9},
        {SDLK_LEFT, SDL_SCANCODE_LEFT, Key::Left},
        {SDLK_DOWN, SDL_SCANCODE_DOWN, Key::Down},
        {SDLK_INSERT, SDL_SCANCODE_INSERT, Key::Insert},
        {SDLK_END, SDL_SCANCODE_END, Key::End},
        // Keys of the menus and text boxes.
        {SDLK_KP_ENTER, SDL_SCANCODE_KP_ENTER, Key::Enter},
        {SDLK_ESCAPE, SDL_SCANCODE_ESCAPE, Key::Escape},
        {SDLK_BACKSPACE, SDL_SCANCODE_BACKSPACE, Key::Backspace},
        {SDLK_RSHIFT, SDL_SCANCODE_RSHIFT, Key::Shift},
        {SDLK_RCTRL, SDL_SCANCODE_RCTRL, Key::Control},
        {SDLK_F12, SDL_SCANCODE_F12, Key::F12},
        {SDLK_F13, SDL_SCANCODE_F13, Key::F13},
        {SDLK_NUMLOCKCLEAR, SDL_SCANCODE_NUMLOCKCLEAR, Key::NumLock},
        {SDLK_SCROLLLOCK, SDL_SCANCODE_SCROLLLOCK, Key::ScrollLock},
        {SDLK_LGUI, SDL_SCANCODE_LGUI, Key::LeftWindows},
        {SDLK_RGUI, SDL_SCANCODE_RGUI, Key::RightWindows},
        {SDLK_PRINTSCREEN, SDL_SCANCODE_PRINTSCREEN, Key::PrintScreen},
        // Punctuation of a US keyboard.
        {SDLK_COMMA, SDL_SCANCODE_COMMA, Key::OemComma},
        {SDLK_PERIOD, SDL_SCANCODE_PERIOD, Key::OemPeriod},
        {SDLK_MINUS, SDL_SCANCODE_MINUS, Key::OemMinus},
        {SDLK_EQUALS, SDL_SCANCODE_EQUALS, Key::OemPlus},
        {SDLK_SEMICOLON, SDL_SCANCODE_SEMICOLON, Key::Oem1},
        {SDLK_SLASH, SDL_SCANCODE_SLASH, Key::Oem2},
        {SDLK_BACKQUOTE, SDL_SCANCODE_GRAVE, Key::Oem3},
        {SDLK_LEFTBRACKET, SDL_SCANCODE_LEFTBRACKET, Key::Oem4},
        {SDLK_BACKSLASH, SDL_SCANCODE_BACKSLASH, Key::Oem5},
        {SDLK_RIGHTBRACKET, SDL_SCANCODE_RIGHTBRACKET, Key::Oem6},
        {SDLK_QUOTE, SDL_SCANCODE_APOSTROPHE, Key::Oem7},
        {SDLK_LESS, SDL_SCANCODE_NONUSBACKSLASH, Key::Oem102},
        // A Czech layout types accented letters and signs on the digit row: the digit is
        // meant; its own letters elsewhere are punctuation keys by their place.
        {0xE9 /* é */, SDL_SCANCODE_0, Key::Digit0},
        {SDLK_PLUS, SDL_SCANCODE_1, Key::Digit0 + 1},
        {0x16F /* ů */, SDL_SCANCODE_SEMICOLON, Key::Oem1},
        // A French layout: the comma is on the key where others have M.
        {SDLK_COMMA, SDL_SCANCODE_M, Key::OemComma},
        // A Russian layout: Cyrillic letters are the Latin letters of their place.
        {0x444 /* ф */, SDL_SCANCODE_A, Key::A},
        // Keys of no kind the game names.
        {0xA7 /* § */, SDL_SCANCODE_INTERNATIONAL1, Key::Oem8},
        {SDLK_UNKNOWN, SDL_SCANCODE_UNKNOWN, Key::Unknown},
        {SDLK_AUDIOMUTE, SDL_SCANCODE_AUDIOMUTE, Key::Unknown},
    };
    for (const KeyCase& c : cases) {
        EXPECT_EQ(virtualKeyOf(c.symbol, c.place, KMOD_NONE), c.code) << "symbol " << c.symbol;
    }
}

// The keypad's digits are the navigation keys under them unless Num Lock is on; its other
// keys are the same either way.
TEST(KeyMap, KeypadFollowsNumLock) {
    struct KeypadCase {
        SDL_Keycode symbol;
        SDL_Scancode place;
        int numLockOff;
        int numLockOn;
    };
    const KeypadCase cases[] = {
        {SDLK_KP_0, SDL_SCANCODE_KP_0, Key::Insert, Key::Numpad0},
        {SDLK_KP_1, SDL_SCANCODE_KP_1, Key::End, Key::Numpad0 + 1},
        {SDLK_KP_2, SDL_SCANCODE_KP_2, Key::Down, Key::Numpad0 + 2},
        {SDLK_KP_3, SDL_SCANCODE_KP_3, Key::PageDown, Key::Numpad0 + 3},
        {SDLK_KP_4, SDL_SCANCODE_KP_4, Key::Left, Key::Numpad0 + 4},
        {SDLK_KP_5, SDL_SCANCODE_KP_5, Key::Clear, Key::Numpad0 + 5},
        {SDLK_KP_6, SDL_SCANCODE_KP_6, Key::Right, Key::Numpad0 + 6},
        {SDLK_KP_7, SDL_SCANCODE_KP_7, Key::Home, Key::Numpad0 + 7},
        {SDLK_KP_8, SDL_SCANCODE_KP_8, Key::Up, Key::Numpad0 + 8},
        {SDLK_KP_9, SDL_SCANCODE_KP_9, Key::PageUp, Key::Numpad0 + 9},
        {SDLK_KP_PERIOD, SDL_SCANCODE_KP_PERIOD, Key::Delete, Key::Decimal},
        {SDLK_KP_ENTER, SDL_SCANCODE_KP_ENTER, Key::Enter, Key::Enter},
        {SDLK_KP_PLUS, SDL_SCANCODE_KP_PLUS, Key::Add, Key::Add},
        {SDLK_KP_DIVIDE, SDL_SCANCODE_KP_DIVIDE, Key::Divide, Key::Divide},
        // The main keyboard's arrows and digits do not follow Num Lock.
        {SDLK_LEFT, SDL_SCANCODE_LEFT, Key::Left, Key::Left},
        {SDLK_4, SDL_SCANCODE_4, Key::Digit0 + 4, Key::Digit0 + 4},
    };
    // Shift and Caps Lock leave the keypad as Num Lock has it.
    const Uint16 otherModifiers[] = {KMOD_NONE, KMOD_LSHIFT | KMOD_CAPS};
    for (const Uint16 others : otherModifiers) {
        for (const KeypadCase& c : cases) {
            EXPECT_EQ(virtualKeyOf(c.symbol, c.place, others), c.numLockOff)
                << "symbol " << c.symbol << " with Num Lock off";
            EXPECT_EQ(virtualKeyOf(c.symbol, c.place, Uint16(others | KMOD_NUM)), c.numLockOn)
                << "symbol " << c.symbol << " with Num Lock on";
        }
    }
}

TEST(KeyMap, ShiftStateAddsShiftCtrlAndAlt) {
    const std::pair<Uint16, int> cases[] = {
        {KMOD_NONE, 0},
        {KMOD_LSHIFT, 1},
        {KMOD_RSHIFT, 1},
        {KMOD_LCTRL, 2},
        {KMOD_RALT, 4},
        {KMOD_LSHIFT | KMOD_RCTRL, 3},
        {KMOD_SHIFT | KMOD_CTRL | KMOD_ALT, 7},
        {KMOD_NUM | KMOD_CAPS, 0},
    };
    for (const auto& [mod, state] : cases) EXPECT_EQ(shiftStateOf(mod), state) << mod;
}

TEST(Letterbox, KeepsTheCanvasShapeAndCentresIt) {
    const std::tuple<int, int, ViewRect> cases[] = {
        {800, 600, {0, 0, 800, 600}},       {1600, 1200, {0, 0, 1600, 1200}},
        {1920, 1080, {240, 0, 1440, 1080}}, {1280, 1024, {0, 32, 1280, 960}},
        {1024, 768, {0, 0, 1024, 768}},     {640, 600, {0, 60, 640, 480}},
    };
    for (const auto& [w, h, view] : cases) EXPECT_EQ(letterbox(w, h), view) << w << "x" << h;
}

TEST(Letterbox, WindowPointsBecomeCanvasTwips) {
    // 1920 x 1080: the canvas is 1440 x 1080 from x = 240, 1.8 window pixels per pixel.
    auto okButton = windowToTwips(240 + static_cast<int>(328 * 1.8), 480 * 18 / 10, 1920, 1080);
    ASSERT_TRUE(okButton);
    EXPECT_EQ(okButton->x, 328 * 15);
    EXPECT_EQ(okButton->y, 480 * 15);
    auto corner = windowToTwips(1919 - 240, 1079, 1920, 1080);
    ASSERT_TRUE(corner);
    EXPECT_EQ(corner->x, 799 * 15);
    EXPECT_EQ(corner->y, 599 * 15);
    EXPECT_FALSE(windowToTwips(239, 500, 1920, 1080));   // left bar
    EXPECT_FALSE(windowToTwips(1680, 500, 1920, 1080));  // right bar
    auto same = windowToTwips(104, 496, 800, 600);
    ASSERT_TRUE(same);
    EXPECT_EQ(same->x, 104 * 15);
    EXPECT_EQ(same->y, 496 * 15);
}

SDL_Event keyEvent(Uint32 type, SDL_Keycode sym, SDL_Scancode place, Uint16 mod = 0,
                   Uint8 repeat = 0) {
    SDL_Event e{};
    e.type = type;
    e.key.type = type;
    e.key.repeat = repeat;
    e.key.keysym.sym = sym;
    e.key.keysym.scancode = place;
    e.key.keysym.mod = mod;
    return e;
}

SDL_Event mouseButton(Uint32 type, int x, int y, Uint8 button = SDL_BUTTON_LEFT) {
    SDL_Event e{};
    e.type = type;
    e.button.type = type;
    e.button.button = button;
    e.button.x = x;
    e.button.y = y;
    return e;
}

TEST(InputTranslator, KeysBecomeKeyDownUpAndPresses) {
    InputTranslator input;
    auto down =
        input.translate(keyEvent(SDL_KEYDOWN, SDLK_t, SDL_SCANCODE_T, KMOD_LSHIFT), 800, 600);
    ASSERT_EQ(down.size(), 1u);
    const auto& kd = std::get<KeyDownEvent>(down[0]);
    EXPECT_EQ(kd.keyCode, Key::T);
    EXPECT_EQ(kd.shift, 1);
    // The keyboard's own repeat gives further key-downs.
    auto repeat = input.translate(keyEvent(SDL_KEYDOWN, SDLK_t, SDL_SCANCODE_T, 0, 1), 800, 600);
    ASSERT_EQ(repeat.size(), 1u);
    EXPECT_TRUE(std::holds_alternative<KeyDownEvent>(repeat[0]));
    auto up = input.translate(keyEvent(SDL_KEYUP, SDLK_INSERT, SDL_SCANCODE_INSERT), 800, 600);
    ASSERT_EQ(up.size(), 1u);
    EXPECT_EQ(std::get<KeyUpEvent>(up[0]).keyCode, Key::Insert);
    // Key events carry Num Lock: the keypad's 4 is the left arrow with it off, the digit
    // with it on.
    auto arrow = input.translate(keyEvent(SDL_KEYDOWN, SDLK_KP_4, SDL_SCANCODE_KP_4), 800, 600);
    ASSERT_EQ(arrow.size(), 1u);
    EXPECT_EQ(std::get<KeyDownEvent>(arrow[0]).keyCode, Key::Left);
    auto digit =
        input.translate(keyEvent(SDL_KEYUP, SDLK_KP_4, SDL_SCANCODE_KP_4, KMOD_NUM), 800, 600);
    ASSERT_EQ(digit.size(), 1u);
    EXPECT_EQ(std::get<KeyUpEvent>(digit[0]).keyCode, Key::Numpad0 + 4);
    // Backspace and Enter type control characters too; SDL sends no text for them.
    for (auto [sym, place, ch] : {std::tuple{SDLK_BACKSPACE, SDL_SCANCODE_BACKSPACE, '\b'},
                                  std::tuple{SDLK_RETURN, SDL_SCANCODE_RETURN, '\r'}}) {
        auto events = input.translate(keyEvent(SDL_KEYDOWN, sym, place), 800, 600);
        ASSERT_EQ(events.size(), 2u);
        EXPECT_EQ(std::get<KeyPressEvent>(events[1]).key, ch);
    }
}

TEST(InputTranslator, TextGivesOneKeyPressPerByte) {
    InputTranslator input;
    SDL_Event e{};
    e.type = SDL_TEXTINPUT;
    std::strcpy(e.text.text, "a\xC3\xA9");  // "aé"
    auto events = input.translate(e, 800, 600);
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(std::get<KeyPressEvent>(events[0]).key, 'a');
    EXPECT_EQ(std::get<KeyPressEvent>(events[1]).key, '\xC3');
    EXPECT_EQ(std::get<KeyPressEvent>(events[2]).key, '\xA9');
}

TEST(InputTranslator, AClickIsAPressAndReleaseOnTheCanvas) {
    InputTranslator input;
    // 1280 x 1024: the canvas is 1280 x 960 from y = 32, 1.6 window pixels per pixel.
    EXPECT_TRUE(
        input.translate(mouseButton(SDL_MOUSEBUTTONDOWN, 560, 32 + 800), 1280, 1024).empty());
    auto click = input.translate(mouseButton(SDL_MOUSEBUTTONUP, 560, 32 + 800), 1280, 1024);
    ASSERT_EQ(click.size(), 1u);
    const auto& c = std::get<ClickEvent>(click[0]);
    EXPECT_EQ(c.x, 350 * 15);
    EXPECT_EQ(c.y, 500 * 15);
    // A release without a press, a press on the bar, and the right button click nothing.
    EXPECT_TRUE(input.translate(mouseButton(SDL_MOUSEBUTTONUP, 560, 500), 1280, 1024).empty());
    input.translate(mouseButton(SDL_MOUSEBUTTONDOWN, 560, 10), 1280, 1024);
    EXPECT_TRUE(input.translate(mouseButton(SDL_MOUSEBUTTONUP, 560, 500), 1280, 1024).empty());
    input.translate(mouseButton(SDL_MOUSEBUTTONDOWN, 560, 500, SDL_BUTTON_RIGHT), 1280, 1024);
    EXPECT_TRUE(
        input.translate(mouseButton(SDL_MOUSEBUTTONUP, 560, 500, SDL_BUTTON_RIGHT), 1280, 1024)
            .empty());
}

TEST(InputTranslator, MovesOnTheCanvasOnly) {
    InputTranslator input;
    SDL_Event e{};
    e.type = SDL_MOUSEMOTION;
    e.motion.x = 100;
    e.motion.y = 40;
    auto moved = input.translate(e, 1280, 1024);
    ASSERT_EQ(moved.size(), 1u);
    EXPECT_EQ(std::get<MouseMoveEvent>(moved[0]).x, 62 * 15);
    EXPECT_EQ(std::get<MouseMoveEvent>(moved[0]).y, 5 * 15);
    e.motion.y = 1000;  // the bottom bar
    EXPECT_TRUE(input.translate(e, 1280, 1024).empty());
}

TEST(WindowOption, ByArgumentOrEnvironment) {
    char program[] = "vorkala";
    char window[] = "--window";
    char other[] = "--other";
    char* withOption[] = {program, window};
    char* without[] = {program, other};
    unsetenv("VORKALA_WINDOW");
    EXPECT_TRUE(windowRequested(2, withOption));
    EXPECT_FALSE(windowRequested(2, without));
    setenv("VORKALA_WINDOW", "1", 1);
    EXPECT_TRUE(windowRequested(2, without));
    setenv("VORKALA_WINDOW", "0", 1);
    EXPECT_FALSE(windowRequested(2, without));
    unsetenv("VORKALA_WINDOW");
}

}  // namespace
}  // namespace vk::sdl
