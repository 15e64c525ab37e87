// Owning handles for SDL objects, so every window, texture, font and sound is freed exactly
// once, in reverse order of creation, also when a constructor throws.
#pragma once

#include <SDL.h>
#include <SDL_mixer.h>
#include <SDL_ttf.h>

#include <memory>
#include <stdexcept>
#include <string>

namespace vk::sdl {

template <auto Free>
struct Deleter {
    template <class T>
    void operator()(T* p) const {
        if (p) Free(p);
    }
};

using WindowPtr = std::unique_ptr<SDL_Window, Deleter<SDL_DestroyWindow>>;
using RendererPtr = std::unique_ptr<SDL_Renderer, Deleter<SDL_DestroyRenderer>>;
using TexturePtr = std::unique_ptr<SDL_Texture, Deleter<SDL_DestroyTexture>>;
using SurfacePtr = std::unique_ptr<SDL_Surface, Deleter<SDL_FreeSurface>>;
using CursorPtr = std::unique_ptr<SDL_Cursor, Deleter<SDL_FreeCursor>>;
using FontPtr = std::unique_ptr<TTF_Font, Deleter<TTF_CloseFont>>;

// An SDL call failed in a way the game cannot go on from (no window, no renderer).
class SdlError : public std::runtime_error {
  public:
    explicit SdlError(const std::string& what) : std::runtime_error(what + ": " + SDL_GetError()) {}
};

}  // namespace vk::sdl
