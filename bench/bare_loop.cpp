// vorkala-bare-loop [--idle] [--full-screen]: the bare SDL2 program of bench/bare_loop.h,
// run as a process for the process benchmarks. Its loop wakes every 16 ms and presents a
// whole frame each time or, with --idle, draws nothing after its first frame (but when the
// window is exposed), as a frame-paced loop with nothing new to show. With
// VORKALA_REPORT_FIRST_FRAME set it reports its first frame as the game does.
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string_view>

#include "bare_loop.h"

namespace {

void reportFirstFrame() {
    if (!std::getenv("VORKALA_REPORT_FIRST_FRAME")) return;
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    std::fprintf(stderr, "bare loop: first frame presented at %lld us\n",
                 static_cast<long long>(now.tv_sec) * 1'000'000 + now.tv_nsec / 1000);
}

}  // namespace

int main(int argc, char** argv) {
    bool idle = false, fullScreen = false;
    for (int i = 1; i < argc; ++i) {
        idle = idle || std::string_view(argv[i]) == "--idle";
        fullScreen = fullScreen || std::string_view(argv[i]) == "--full-screen";
    }
    if (SDL_Init(SDL_INIT_VIDEO) != 0) return 1;
    int status = 0;
    {
        bench::BareLoop bare(fullScreen);
        if (!bare.ok()) {
            status = 1;
        } else {
            bare.frame();
            reportFirstFrame();
            constexpr Uint32 kFramePeriodMs = 16;
            Uint32 next = SDL_GetTicks() + kFramePeriodMs;
            bool exposed = false;
            for (bool running = true; running;) {
                SDL_Event event;
                const Uint32 now = SDL_GetTicks();
                const int wait = next > now ? static_cast<int>(next - now) : 0;
                for (bool got = SDL_WaitEventTimeout(&event, wait) != 0; got;
                     got = SDL_PollEvent(&event) != 0) {
                    running = running && event.type != SDL_QUIT;
                    exposed = exposed || event.type == SDL_WINDOWEVENT;
                }
                if (SDL_GetTicks() < next) continue;
                next += kFramePeriodMs;
                if (!idle || exposed) bare.frame();
                exposed = false;
            }
        }
    }
    SDL_Quit();
    return status;
}
