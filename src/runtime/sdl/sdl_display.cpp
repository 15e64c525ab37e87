#include "runtime/sdl/sdl_display.h"

#include "runtime/sdl/canvas_view.h"

namespace vk::sdl {

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
    window();
    setFullScreen(!windowed_ && !(width == desktopWidth_ && height == desktopHeight_));
}

SDL_Window* SdlDisplay::window() {
    if (!window_) {
        window_.reset(SDL_CreateWindow("Vorkala", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                       kCanvasWidth, kCanvasHeight, SDL_WINDOW_SHOWN));
        if (!window_) throw SdlError("Cannot open the game's window");
    }
    return window_.get();
}

void SdlDisplay::setFullScreen(bool on) {
    if (on == fullScreen_) return;
    SDL_SetWindowFullscreen(window_.get(), on ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
    fullScreen_ = on;
    if (!on) SDL_SetWindowSize(window_.get(), kCanvasWidth, kCanvasHeight);
}

}  // namespace vk::sdl
