// The player's input as the runtime receives it, and the narrow source it is read from:
// the runtime asks the source at every point where pending events run, nested or not.
#pragma once

#include <optional>
#include <variant>

namespace vk {

struct KeyDownEvent {
    int keyCode;
    int shift;
};
struct KeyUpEvent {
    int keyCode;
    int shift;
};
// A typed character. One typed by a key-down belongs to the screen that key went to and
// is dropped when that screen has been unloaded meanwhile; a character of its own (text
// pasted in by an input method, a script's typing) goes to the screen in front.
struct KeyPressEvent {
    char key;
    bool ofKeyDown = false;
};
struct ClickEvent {
    float x, y;  // twips on the canvas
};
struct MouseMoveEvent {
    float x, y;
};
using InputEvent =
    std::variant<KeyDownEvent, KeyUpEvent, KeyPressEvent, ClickEvent, MouseMoveEvent>;

class InputSource {
  public:
    virtual ~InputSource() = default;
    // The next input that has arrived, oldest first; nullopt when none is waiting. Never
    // blocks.
    virtual std::optional<InputEvent> poll() = 0;
};

}  // namespace vk
