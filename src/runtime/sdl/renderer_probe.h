// Whether SDL's accelerated renderer draws on a GPU. Where there is no GPU (a virtual
// display, a machine without one) the accelerated renderer is Mesa's OpenGL on the CPU,
// which costs many times what SDL's own software renderer does and, once loaded, keeps
// its memory and threads for the whole run. So the game never loads it to find out: an X
// server without direct rendering has no GPU to offer, and otherwise a short-lived child
// process, started at once and running alongside the game's start, loads the renderer
// and asks it.
#pragma once

#include <sys/types.h>

#include <optional>

struct SDL_Renderer;

namespace vk::sdl {

class RendererProbe {
  public:
    // Starts the child where one is needed: not where the X server the game holds offers
    // no direct rendering (`xServerOffersGpu` false). Must come before SDL starts in this
    // process. Nothing is asked when the player chose a renderer (SDL_RENDER_DRIVER).
    explicit RendererProbe(std::optional<bool> xServerOffersGpu);
    ~RendererProbe();
    RendererProbe(const RendererProbe&) = delete;
    RendererProbe& operator=(const RendererProbe&) = delete;

    // Waits for the child's answer once; false also when it gave none.
    bool acceleratedOnGpu();

  private:
    void finish();

    pid_t child_ = -1;
    int answer_ = -1;  // the pipe the child writes its answer into
    bool onGpu_ = false;
};

// Whether an accelerated renderer of this process draws on the CPU (Mesa's software
// rasterisers).
bool drawsOnTheCpu(SDL_Renderer* renderer);

}  // namespace vk::sdl
