#include "runtime/sdl/cursors.h"

#include "runtime/control.h"
#include "runtime/control_set.h"
#include "runtime/runtime.h"
#include "runtime/screen.h"

namespace vk::sdl {

SDL_Point cursorHotSpot(const PictureData& picture) {
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x)
            if ((picture
                     .rgba[static_cast<std::size_t>(y) * static_cast<std::size_t>(picture.width) +
                           static_cast<std::size_t>(x)] &
                 0xFF) >= 128)
                return {x, y};
    return {0, 0};
}

void CursorBook::update(const Runtime& runtime, const std::optional<TwipsPoint>& at) {
    const Screen* screen = runtime.activeScreen();
    const ControlSet* controls = screen ? screen->controlsIfLoaded() : nullptr;
    const Control* under = controls && at ? controls->hitTest(at->x, at->y) : nullptr;
    SDL_Cursor* cursor = nullptr;
    if (under && under->cursor()) cursor = cursorFor(*under->cursor());
    if (!cursor && controls && controls->mousePointer == MousePointer::Hourglass)
        cursor = waitCursor();
    show(cursor ? cursor : SDL_GetDefaultCursor());
}

SDL_Cursor* CursorBook::waitCursor() {
    if (!wait_) wait_.reset(SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_WAIT));
    return wait_.get();
}

SDL_Cursor* CursorBook::cursorFor(const Picture& picture) {
    const PictureData& data = picture.data();
    if (data.rgba.size() != static_cast<std::size_t>(data.width) * data.height || data.width == 0)
        return nullptr;
    auto found = cursors_.find(&data);
    if (found != cursors_.end() && found->second.data.expired()) {
        if (shown_ == found->second.cursor.get()) show(SDL_GetDefaultCursor());
        cursors_.erase(found);
        found = cursors_.end();
    }
    if (found == cursors_.end()) {
        SurfacePtr surface(SDL_CreateRGBSurfaceWithFormatFrom(
            const_cast<std::uint32_t*>(data.rgba.data()), data.width, data.height, 32,
            data.width * 4, SDL_PIXELFORMAT_RGBA8888));
        if (!surface) return nullptr;
        const SDL_Point hot = cursorHotSpot(data);
        CursorPtr cursor(SDL_CreateColorCursor(surface.get(), hot.x, hot.y));
        if (!cursor) return nullptr;
        found = cursors_.emplace(&data, Entry{picture.sharedData(), std::move(cursor)}).first;
    }
    return found->second.cursor.get();
}

void CursorBook::show(SDL_Cursor* cursor) {
    if (cursor == shown_) return;
    SDL_SetCursor(cursor);
    shown_ = cursor;
}

}  // namespace vk::sdl
