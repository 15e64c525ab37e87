#include "runtime/sdl/input.h"

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
    const int code = virtualKeyOf(key.keysym.sym, key.keysym.scancode, key.keysym.mod);
    const int shift = shiftStateOf(key.keysym.mod);
    if (key.type == SDL_KEYUP) return {KeyUpEvent{code, shift}};
    // Keys that type a control character produce no text event of their own.
    std::vector<InputEvent> out{KeyDownEvent{code, shift}};
    if (code == Key::Backspace || code == Key::Enter || code == Key::Escape)
        out.emplace_back(KeyPressEvent{static_cast<char>(code), true});
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

std::optional<InputEvent> SdlInput::poll() {
    while (ready_.empty())
        if (!readEvent()) return std::nullopt;
    InputEvent event = ready_.front();
    ready_.pop_front();
    return event;
}

bool SdlInput::readEvent() {
    auto event = take();
    if (!event) return false;
    read(*event);
    return true;
}

std::optional<SDL_Event> SdlInput::take() {
    const Micros now = clock_.now();
    if (now - lastPump_ >= kPumpPeriod) {
        lastPump_ = now;
        SDL_PumpEvents();
    }
    SDL_Event event;
    if (SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) <= 0)
        return std::nullopt;
    return event;
}

// The event right behind the one just taken, when it is of the given type.
std::optional<SDL_Event> SdlInput::takeNextOf(Uint32 type) {
    SDL_Event next;
    if (SDL_PeepEvents(&next, 1, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) <= 0 ||
        next.type != type)
        return std::nullopt;
    SDL_PeepEvents(&next, 1, SDL_GETEVENT, type, type);
    return next;
}

void SdlInput::read(const SDL_Event& event) {
    if (event.type == SDL_QUIT) {
        quit_ = true;
        return;
    }
    if (event.type == SDL_WINDOWEVENT || event.type == SDL_RENDER_TARGETS_RESET ||
        event.type == SDL_RENDER_DEVICE_RESET) {
        windowChanged_ = true;
        return;
    }
    SDL_Event latest = event;
    // Moves pile up faster than anything can follow them; only where the pointer is
    // now counts.
    if (latest.type == SDL_MOUSEMOTION)
        while (auto next = takeNextOf(SDL_MOUSEMOTION)) latest = *next;
    const auto [w, h] = windowSize_();
    if (latest.type == SDL_MOUSEMOTION)
        pointer_ = windowToTwips(latest.motion.x, latest.motion.y, w, h);
    for (const InputEvent& e : translator_.translate(latest, w, h)) ready_.push_back(e);
    if (latest.type != SDL_KEYDOWN) return;
    // The text the key types, which SDL queues right behind its key-down.
    if (auto typed = takeNextOf(SDL_TEXTINPUT)) {
        for (InputEvent& e : translator_.translate(*typed, w, h)) {
            std::get<KeyPressEvent>(e).ofKeyDown = true;
            ready_.push_back(e);
        }
    }
}

}  // namespace vk::sdl
