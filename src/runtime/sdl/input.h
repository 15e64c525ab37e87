// The player's input from SDL's event queue: keyboard, text and mouse events turned into
// the runtime's input events, read only when the runtime asks for them.
#pragma once

#include <SDL.h>

#include <deque>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

#include "runtime/platform.h"
#include "runtime/sdl/canvas_view.h"

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

// The input source of the real game. SDL reads the window system's events into its queue
// (here and at the pacing points, which only pump); this source takes them from the queue
// whenever the runtime lets pending events run. A key-down and the text it types arrive
// as two SDL events, one after the other; they are handed over as one key press. Window
// events met on the way are kept for the main loop.
class SdlInput : public InputSource {
  public:
    // `windowSize` gives the window's size in the units of mouse events.
    SdlInput(const Clock& clock, std::function<std::pair<int, int>()> windowSize)
        : clock_(clock), windowSize_(std::move(windowSize)) {}

    std::optional<InputEvent> poll() override;

    // The window was asked to close.
    bool quitRequested() const { return quit_; }
    // Whether the window was shown, exposed, resized or otherwise changed, or the renderer
    // lost its textures, since the last call: all of its picture must be drawn again.
    bool takeWindowChange() { return std::exchange(windowChanged_, false); }
    // Where the pointer last moved on the canvas; nullopt over the black bars.
    std::optional<TwipsPoint> pointer() const { return pointer_; }

  private:
    // Asking the window system costs more than a glide step: it is asked at most this
    // often, and SDL's own queue in between.
    static constexpr Micros kPumpPeriod = kMicrosPerMilli;

    bool readEvent();
    std::optional<SDL_Event> take();
    std::optional<SDL_Event> takeNextOf(Uint32 type);
    void read(const SDL_Event& event);

    const Clock& clock_;
    std::function<std::pair<int, int>()> windowSize_;
    InputTranslator translator_;
    std::deque<InputEvent> ready_;
    Micros lastPump_ = -kPumpPeriod;
    bool quit_ = false;
    bool windowChanged_ = false;
    std::optional<TwipsPoint> pointer_;
};

}  // namespace vk::sdl
