// The display switch without a real video-mode change: "800 x 600" is a borderless window
// covering the desktop with the game's canvas scaled into it, and switching back to the
// desktop size leaves full screen. Nothing of the desktop is changed, so nothing can be
// left behind when the game ends in any way.
#pragma once

#include "runtime/platform.h"
#include "runtime/sdl/sdl_handles.h"

namespace vk::sdl {

class SdlDisplay : public DisplayService {
  public:
    // `windowed`: the game stays in an 800 x 600 window whatever mode it asks for.
    explicit SdlDisplay(bool windowed);

    // The desktop size until the game switches, then the size it switched to.
    int widthPixels() const override { return modeWidth_; }
    int heightPixels() const override { return modeHeight_; }
    void changeMode(int width, int height) override;

    // The game's window, opened at the first need.
    SDL_Window* window();
    SDL_Window* windowIfOpen() const { return window_.get(); }
    bool fullScreen() const { return fullScreen_; }
    int desktopWidth() const { return desktopWidth_; }
    int desktopHeight() const { return desktopHeight_; }

  private:
    void open(bool fullScreen);
    void setFullScreen(bool on);

    bool windowed_;
    int desktopWidth_ = 800, desktopHeight_ = 600;
    int modeWidth_, modeHeight_;
    bool fullScreen_ = false;
    WindowPtr window_;
};

}  // namespace vk::sdl
