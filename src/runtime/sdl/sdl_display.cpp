#include "runtime/sdl/sdl_display.h"

#include <algorithm>

#include "runtime/sdl/canvas_view.h"

namespace vk::sdl {

namespace {

SDL_Rect desktopBounds(SDL_Window* window) {
    SDL_Rect bounds{0, 0, kCanvasWidth, kCanvasHeight};
    SDL_GetDisplayBounds(window ? std::max(SDL_GetWindowDisplayIndex(window), 0) : 0, &bounds);
    return bounds;
}

}  // namespace

SdlDisplay::SdlDisplay(bool windowed) : windowed_(windowed) {
    SDL_DisplayMode desktop{};
    if (SDL_GetDesktopDisplayMode(0, &desktop) == 0 && desktop.w > 0 && desktop.h > 0) {
        desktopWidth_ = desktop.w;
        desktopHeight_ = desktop.h;
    }
    modeWidth_ = desktopWidth_;
    modeHeight_ = desktopHeight_;
}

void SdlDisplay::changeMode(int width, int height) {
    modeWidth_ = width;
    modeHeight_ = height;
    const bool full = !windowed_ && !(width == desktopWidth_ && height == desktopHeight_);
    if (!window_)
        open(full);
    else
        setFullScreen(full);
}

SDL_Window* SdlDisplay::window() {
    if (!window_) open(false);
    return window_.get();
}

// A window manager makes a window full screen on request; on an X server without one
// nobody would, so a full-screen window also covers the desktop by its own place and size.
// Opened that way, it stays in place when SDL recreates it for another renderer.
void SdlDisplay::open(bool full) {
    const SDL_Rect desktop = desktopBounds(nullptr);
    window_.reset(full ? SDL_CreateWindow("Vorkala", desktop.x, desktop.y, desktop.w, desktop.h,
                                          SDL_WINDOW_SHOWN | SDL_WINDOW_BORDERLESS |
                                              SDL_WINDOW_FULLSCREEN_DESKTOP)
                       : SDL_CreateWindow("Vorkala", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                          kCanvasWidth, kCanvasHeight, SDL_WINDOW_SHOWN));
    if (!window_) throw SdlError("Cannot open the game's window");
    fullScreen_ = full;
}

void SdlDisplay::setFullScreen(bool on) {
    if (on == fullScreen_) return;
    SDL_Window* window = window_.get();
    if (on) {
        const SDL_Rect desktop = desktopBounds(window);
        SDL_SetWindowBordered(window, SDL_FALSE);
        SDL_SetWindowPosition(window, desktop.x, desktop.y);
        SDL_SetWindowSize(window, desktop.w, desktop.h);
        SDL_SetWindowFullscreen(window, SDL_WINDOW_FULLSCREEN_DESKTOP);
    } else {
        SDL_SetWindowFullscreen(window, 0);
        SDL_SetWindowBordered(window, SDL_TRUE);
        SDL_SetWindowSize(window, kCanvasWidth, kCanvasHeight);
        SDL_SetWindowPosition(window, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
    }
    fullScreen_ = on;
}

}  // namespace vk::sdl
