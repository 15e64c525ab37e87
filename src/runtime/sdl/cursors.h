// Mouse cursors from the game's own cursor pictures, shown while the pointer is over a
// control that has one.
#pragma once

#include <map>
#include <memory>

#include "runtime/picture.h"
#include "runtime/sdl/sdl_handles.h"

namespace vk {
class Runtime;
}

namespace vk::sdl {

// Where a cursor picture points: its first opaque pixel from the top (a finger tip).
SDL_Point cursorHotSpot(const PictureData& picture);

class CursorBook {
  public:
    // Shows the cursor of the control under the point (twips) of the active screen.
    void update(const Runtime& runtime, float x, float y);

  private:
    SDL_Cursor* cursorFor(const Picture& picture);
    void show(SDL_Cursor* cursor);

    struct Entry {
        std::weak_ptr<const PictureData> data;
        CursorPtr cursor;
    };
    std::map<const PictureData*, Entry> cursors_;
    SDL_Cursor* shown_ = nullptr;
};

}  // namespace vk::sdl
