#include "runtime/sdl/renderer_probe.h"

#include <SDL.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string_view>

#include "runtime/sdl/video_driver.h"

namespace vk::sdl {

namespace {

// Long enough for a slow driver to load; a child that takes longer is taken as no GPU.
constexpr int kAnswerTimeoutMs = 5000;

// SDL's choice of accelerated renderer for a hidden window.
bool acceleratedRendererOnGpu() {
    if (SDL_Init(SDL_INIT_VIDEO) != 0) return false;
    SDL_Window* window = SDL_CreateWindow("", 0, 0, 1, 1, SDL_WINDOW_HIDDEN);
    if (!window) return false;
    SDL_Renderer* renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_ACCELERATED);
    return renderer && !drawsOnTheCpu(renderer);
}

// Whether SDL would pick a display where a GPU may be found.
bool displayMayHaveGpu() {
    const std::string_view named = namedVideoDrivers();
    return named.empty() || !headlessVideoDriver(named);
}

}  // namespace

bool drawsOnTheCpu(SDL_Renderer* renderer) {
    SDL_RendererInfo info{};
    if (SDL_GetRendererInfo(renderer, &info) != 0 || !info.name) return false;
    if (std::string_view(info.name).substr(0, 6) != "opengl") return false;
    using GetString = const unsigned char* (*)(unsigned int);
    constexpr unsigned int kGlRenderer = 0x1F01;
    const auto getString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
    const unsigned char* text = getString ? getString(kGlRenderer) : nullptr;
    if (!text) return false;
    const std::string_view name(reinterpret_cast<const char*>(text));
    for (const char* software : {"llvmpipe", "softpipe", "swrast", "Software Rasterizer"})
        if (name.find(software) != std::string_view::npos) return true;
    return false;
}

RendererProbe::RendererProbe(std::optional<bool> xServerOffersGpu) {
    if (std::getenv("SDL_RENDER_DRIVER") || !displayMayHaveGpu()) return;
    if (xServerOffersGpu == false) return;  // the answer already: on the CPU
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) return;
    child_ = fork();
    if (child_ == 0) {
        close(fds[0]);
        const char answer = acceleratedRendererOnGpu() ? 'g' : 'c';
        [[maybe_unused]] const ssize_t written = write(fds[1], &answer, 1);
        _exit(0);  // nothing of the parent's to clean up
    }
    close(fds[1]);
    if (child_ < 0)
        close(fds[0]);
    else
        answer_ = fds[0];
}

RendererProbe::~RendererProbe() { finish(); }

bool RendererProbe::acceleratedOnGpu() {
    if (answer_ < 0) return onGpu_;
    pollfd ready{answer_, POLLIN, 0};
    char answer = 0;
    if (poll(&ready, 1, kAnswerTimeoutMs) == 1 && read(answer_, &answer, 1) == 1)
        onGpu_ = answer == 'g';
    finish();
    return onGpu_;
}

void RendererProbe::finish() {
    if (answer_ >= 0) close(answer_);
    answer_ = -1;
    if (child_ <= 0) return;
    kill(child_, SIGKILL);  // done or stuck: either way it has nothing more to say
    waitpid(child_, nullptr, 0);
    child_ = -1;
}

}  // namespace vk::sdl
