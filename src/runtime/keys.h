// Key codes: the virtual-key values the screens' key handlers receive (65 is A, 37 the
// left arrow, 45 Insert), named once here for the platforms, the game and the tests.
#pragma once

namespace vk {

namespace keys {
// Unscoped so a code reads as the number the handlers and scripts pass; write `Key::A`.
// clang-format off
enum Key : int {
    Backspace = 8, Tab = 9, Clear = 12, Enter = 13, Shift = 16, Control = 17, Alt = 18,
    Pause = 19, CapsLock = 20, Escape = 27, Space = 32,
    PageUp = 33, PageDown = 34, End = 35, Home = 36, Left = 37, Up = 38, Right = 39, Down = 40,
    Select = 41, Execute = 43, PrintScreen = 44, Insert = 45, Delete = 46, Help = 47,
    Digit0 = 48,
    A = 65, B, C, D, E, F, G, H, I, J, K, L, M, N, O, P, Q, R, S, T, U, V, W, X, Y, Z,
    LeftWindows = 91, RightWindows = 92, Apps = 93, Sleep = 95,
    Numpad0 = 96, Multiply = 106, Add = 107, Separator = 108, Subtract = 109, Decimal = 110,
    Divide = 111,
    F1 = 112, F2, F3, F4, F5, F6, F7, F8, F9, F10, F11, F12, F13,
    NumLock = 144, ScrollLock = 145,
    // Punctuation: the codes of a US keyboard's keys, by the character or the place.
    Oem1 = 186, OemPlus = 187, OemComma = 188, OemMinus = 189, OemPeriod = 190, Oem2 = 191,
    Oem3 = 192, Oem4 = 219, Oem5 = 220, Oem6 = 221, Oem7 = 222, Oem8 = 223, Oem102 = 226,
    // A key of no kind above.
    Unknown = 255,
};
// clang-format on
}  // namespace keys
using keys::Key;

}  // namespace vk
