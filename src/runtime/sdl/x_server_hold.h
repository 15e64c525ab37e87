// An X server started without -noreset (as xinit and startx start one whose only client is
// the game) resets whenever its last client leaves, and drops a client that is connecting
// meanwhile. So the game connects first, before the renderer probe and SDL come and go
// with connections of their own, and holds that connection until its window is up: the
// server never sees the game leave while it starts. The same connection answers, at
// once, whether the server offers direct rendering to a GPU.
#pragma once

#include <optional>

namespace vk::sdl {

class XServerHold {
  public:
    // Connects where SDL will look for an X server: DISPLAY is set and SDL_VIDEODRIVER
    // names x11 or nothing.
    XServerHold();
    ~XServerHold();
    XServerHold(const XServerHold&) = delete;
    XServerHold& operator=(const XServerHold&) = delete;

    // Lets the connection go: the game's window is up and SDL holds connections of its own.
    void release();

    // Whether an X server answered; nullopt where none was looked for.
    std::optional<bool> reached() const { return reached_; }

    // Whether the server offers direct rendering to a GPU (DRI for Mesa's drivers, NV-GLX
    // for NVIDIA's); without it every OpenGL there draws on the CPU. Nullopt where no
    // server answered.
    std::optional<bool> offersGpu() const { return offersGpu_; }

  private:
    void* display_ = nullptr;  // Xlib's Display, kept out of this header
    std::optional<bool> reached_;
    std::optional<bool> offersGpu_;
};

}  // namespace vk::sdl
