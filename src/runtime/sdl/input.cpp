#include "runtime/sdl/input.h"

#include "runtime/sdl/canvas_view.h"
#include "runtime/sdl/key_map.h"

namespace vk::sdl {

std::vector<InputEvent> InputTranslator::translate(const SDL_Event& event, int windowWidth,
                                                   int windowHeight) {
    switch (event.type) {
        case SDL_KEYDOWN:
        case SDL_KEYUP:
            return key(event.key);
        case SDL_TEXTINPUT:
            return text(event.text);
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
            return button(event.button, windowWidth, windowHeight);
        case SDL_MOUSEMOTION:
            return motion(event.motion, windowWidth, windowHeight);
        default:
            return {};
    }
}

std::vector<InputEvent> InputTranslator::key(const SDL_KeyboardEvent& key) const {
    const auto code = virtualKeyOf(key.keysym.sym, key.keysym.scancode);
    if (!code) return {};
    const int shift = shiftStateOf(key.keysym.mod);
    if (key.type == SDL_KEYUP) return {KeyUpEvent{*code, shift}};
    // Keys that type a control character produce no text event of their own.
    std::vector<InputEvent> out{KeyDownEvent{*code, shift}};
    if (*code == vkey::kBackspace || *code == vkey::kEnter || *code == vkey::kEscape)
        out.emplace_back(KeyPressEvent{static_cast<char>(*code)});
    return out;
}

std::vector<InputEvent> InputTranslator::text(const SDL_TextInputEvent& text) {
    std::vector<InputEvent> out;
    for (const char* p = text.text; *p; ++p) out.emplace_back(KeyPressEvent{*p});
    return out;
}

std::vector<InputEvent> InputTranslator::button(const SDL_MouseButtonEvent& button, int w, int h) {
    if (button.button != SDL_BUTTON_LEFT) return {};
    const auto at = windowToTwips(button.x, button.y, w, h);
    if (button.type == SDL_MOUSEBUTTONDOWN) {
        pressed_ = at.has_value();
        return {};
    }
    const bool click = pressed_ && at;
    pressed_ = false;
    if (!click) return {};
    return {ClickEvent{at->x, at->y}};
}

std::vector<InputEvent> InputTranslator::motion(const SDL_MouseMotionEvent& motion, int w, int h) {
    const auto at = windowToTwips(motion.x, motion.y, w, h);
    if (!at) return {};
    return {MouseMoveEvent{at->x, at->y}};
}

}  // namespace vk::sdl
