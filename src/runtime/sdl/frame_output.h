// The game's picture in its window: the screens are drawn on an 800 x 600 canvas, which is
// shown scaled as large as fits (black bars fill the rest). Each frame redraws only the
// parts of the canvas that changed; where the drawing is done on the CPU only those parts
// are scaled into the window and sent to the display.
#pragma once

#include <memory>

#include "runtime/sdl/sdl_handles.h"

namespace vk {
class Runtime;
}

namespace vk::sdl {

class RendererProbe;
class ScreenRenderer;

class FrameOutput {
  public:
    virtual ~FrameOutput() = default;
    // Draws and shows what changed since the last frame; `wholeWindow` after the window was
    // exposed, resized or its renderer reset.
    virtual void present(const Runtime& runtime, bool wholeWindow) = 0;
    // Draws the screens; also for what is drawn over them, which must mark the area it
    // changes (ScreenRenderer::markChanged).
    virtual ScreenRenderer& screens() = 0;
};

// SDL's accelerated renderer where it draws on a GPU; otherwise, or when a player chose
// SDL_RENDER_DRIVER=software, SDL's software renderer with partial window updates. Any
// other SDL_RENDER_DRIVER is kept as chosen.
std::unique_ptr<FrameOutput> openFrameOutput(SDL_Window* window, RendererProbe& probe);

// The same output drawn on the CPU whatever the machine has (tests, benchmarks).
std::unique_ptr<FrameOutput> openSoftwareFrameOutput(SDL_Window* window);

// Scales the canvas into `view` of the window's pixels, computing only the window pixels
// inside `area`; each pixel is the same whatever area it is computed in. Both surfaces
// hold 32-bit pixels in the same byte order.
void stretchCanvas(const SDL_Surface& canvas, SDL_Surface& window, const SDL_Rect& view,
                   const SDL_Rect& area);

}  // namespace vk::sdl
