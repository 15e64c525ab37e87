// Mouse cursors from the game's own cursor pictures, shown while the pointer is over a
// control that has one, and the system's wait cursor over a screen that asks for the
// hourglass.
#pragma once

#include <map>
#include <memory>

#include "runtime/picture.h"
#include "runtime/sdl/canvas_view.h"
#include "runtime/sdl/sdl_handles.h"

namespace vk {
class Runtime;
}

namespace vk::sdl {

// Where a cursor picture points: its first opaque pixel from the top (a finger tip).
SDL_Point cursorHotSpot(const PictureData& picture);

class CursorBook {
  public:
    // Shows the cursor of the control under the point of the active screen, or else the
    // screen's own pointer; without a point (not yet known, or on the black bars) only the
    // screen's.
    void update(const Runtime& runtime, const std::optional<TwipsPoint>& at);

  private:
    SDL_Cursor* cursorFor(const Picture& picture);
    SDL_Cursor* waitCursor();
    void show(SDL_Cursor* cursor);

    struct Entry {
        std::weak_ptr<const PictureData> data;
        CursorPtr cursor;
    };
    std::map<const PictureData*, Entry> cursors_;
    CursorPtr wait_;
    SDL_Cursor* shown_ = nullptr;
};

}  // namespace vk::sdl
