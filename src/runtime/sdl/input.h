// Turns SDL's keyboard, text and mouse events into the runtime's input events.
#pragma once

#include <SDL.h>

#include <vector>

#include "runtime/runtime.h"

namespace vk::sdl {

class InputTranslator {
  public:
    // Window size in the units of mouse events, for the letterbox scaling.
    std::vector<InputEvent> translate(const SDL_Event& event, int windowWidth, int windowHeight);

  private:
    std::vector<InputEvent> key(const SDL_KeyboardEvent& key) const;
    static std::vector<InputEvent> text(const SDL_TextInputEvent& text);
    std::vector<InputEvent> button(const SDL_MouseButtonEvent& button, int w, int h);
    static std::vector<InputEvent> motion(const SDL_MouseMotionEvent& motion, int w, int h);

    // A click is a left press and release, both on the canvas.
    bool pressed_ = false;
};

}  // namespace vk::sdl
