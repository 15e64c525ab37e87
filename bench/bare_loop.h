// The bare SDL2 program the game's costs are held against: a window showing one 800 x 600
// picture through SDL's software renderer, scaled into the window as the game's canvas is,
// redrawn whole at every frame: a program that draws everything and nothing else.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <vector>

namespace bench {

class BareLoop {
  public:
    // `fullScreen`: covering the desktop instead of an 800 x 600 window.
    explicit BareLoop(bool fullScreen) {
        SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");  // all on the CPU, as the game
        window_ =
            SDL_CreateWindow("bare loop", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, 800, 600,
                             SDL_WINDOW_SHOWN | (fullScreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0));
        renderer_ = window_ ? SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE) : nullptr;
        picture_ = renderer_ ? SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_ARGB8888,
                                                 SDL_TEXTUREACCESS_STATIC, 800, 600)
                             : nullptr;
        if (!picture_) return;
        std::vector<std::uint32_t> pixels(800 * 600);
        for (int y = 0; y < 600; ++y)
            for (int x = 0; x < 800; ++x)
                pixels[static_cast<std::size_t>(y * 800 + x)] =
                    0xFF000000u | static_cast<std::uint32_t>(x * 255 / 800) << 16 |
                    static_cast<std::uint32_t>(y * 255 / 600) << 8 | 0x40;
        SDL_UpdateTexture(picture_, nullptr, pixels.data(), 800 * 4);
        SDL_SetTextureScaleMode(picture_, SDL_ScaleModeLinear);
    }
    ~BareLoop() {
        if (picture_) SDL_DestroyTexture(picture_);
        if (renderer_) SDL_DestroyRenderer(renderer_);
        if (window_) SDL_DestroyWindow(window_);
    }
    BareLoop(const BareLoop&) = delete;
    BareLoop& operator=(const BareLoop&) = delete;

    bool ok() const { return picture_ != nullptr; }
    SDL_Window* window() const { return window_; }

    // Clears the window, copies the picture into the largest 4:3 place and presents.
    void frame() {
        int w = 0, h = 0;
        SDL_GetRendererOutputSize(renderer_, &w, &h);
        const int side = w * 3 <= h * 4 ? w : h * 4 / 3;
        const SDL_Rect place{(w - side) / 2, (h - side * 3 / 4) / 2, side, side * 3 / 4};
        SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
        SDL_RenderClear(renderer_);
        SDL_RenderCopy(renderer_, picture_, nullptr, &place);
        SDL_RenderPresent(renderer_);
    }

  private:
    SDL_Window* window_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;
    SDL_Texture* picture_ = nullptr;
};

}  // namespace bench
