// In-process benchmarks: a fighter's pick with its pictures warm, one frame of the fight
// screen drawn by the SDL software renderer, and whole fights on the virtual clock.
#include <SDL.h>
#include <SDL_ttf.h>
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <string>

#include "runtime/data_files.h"
#include "runtime/sdl/screen_renderer.h"
#include "runtime/sdl/sdl_handles.h"
#include "runtime/sdl/sdl_services.h"
#include "whole_game.h"

namespace {

using vorkala::VyberpostavControls;
using vorkala::testing::WholeGame;

// Pictures decoded in full, as the real game has them.
vk::sdl::SdlPictureDecoder& decoder() {
    static vk::sdl::SdlPictureDecoder instance;
    return instance;
}

std::unique_ptr<WholeGame> gameAtSelection() {
    auto g = std::make_unique<WholeGame>(vk::defaultProgramFolder(), &decoder());
    g->headless.display.setDesktop(1024, 768);
    g->startToSelection();
    return g;
}

// The computer takes the right side at medium, as a player sets it up on the selection
// screen; both picks made, the selection screen hands over to the fight.
std::unique_ptr<WholeGame> gameAtFight() {
    auto g = gameAtSelection();
    if (!g->startFightAgainstComputer(&VyberpostavControls::Image8, "pz2", "pz")) std::abort();
    return g;
}

void BM_FighterPick(benchmark::State& state) {
    auto g = gameAtSelection();
    auto& selection = g->game.vyberpostav();
    const auto pick = selection.routines().at("krt_Click");
    g->runtime.runTopLevel(pick);  // warms the picture data
    for (auto _ : state) {
        state.PauseTiming();
        g->runtime.runTopLevel([&] {
            selection.unload();
            selection.show();
        });
        state.ResumeTiming();
        g->runtime.runTopLevel(pick);
    }
}
BENCHMARK(BM_FighterPick)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_FightFrame(benchmark::State& state) {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    SDL_Init(0);
    TTF_Init();
    {
        auto g = gameAtFight();
        g->advanceMs(8000);  // the round has started; bars, names and countdown show
        vk::sdl::SurfacePtr surface(
            SDL_CreateRGBSurfaceWithFormat(0, 800, 600, 32, SDL_PIXELFORMAT_RGBA8888));
        vk::sdl::RendererPtr renderer(SDL_CreateSoftwareRenderer(surface.get()));
        vk::sdl::ScreenRenderer screens(renderer.get());
        screens.draw(g->runtime);  // textures made once, as in the running game
        for (auto _ : state) {
            screens.draw(g->runtime);
            SDL_RenderPresent(renderer.get());
        }
    }
    TTF_Quit();
    SDL_Quit();
}
BENCHMARK(BM_FightFrame)->Unit(benchmark::kMillisecond)->MinTime(2.0);

double cpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// The computer plays the right side at medium against the scripted left player until the
// after-fight screen shows, by knock-out or by the countdown. The counters give how much
// faster than real time the fight ran and the share of one core it would take in real
// time.
void BM_WholeFight(benchmark::State& state) {
    double virtualSeconds = 0, wallSeconds = 0, cpu = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto g = gameAtFight();
        state.ResumeTiming();
        const auto wallStart = std::chrono::steady_clock::now();
        const double cpuStart = cpuSeconds();
        const long start = g->nowMs();
        const bool ended = g->playLeftUntilFightEnds();
        cpu += cpuSeconds() - cpuStart;
        wallSeconds +=
            std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart).count();
        virtualSeconds += static_cast<double>(g->nowMs() - start) / 1000.0;
        if (!ended) {
            state.SkipWithError("the fight did not reach the after-fight screen");
            break;
        }
    }
    state.counters["times_real_time"] = virtualSeconds / wallSeconds;
    state.counters["core_percent"] = 100.0 * cpu / virtualSeconds;
    state.counters["virtual_s"] = virtualSeconds / static_cast<double>(state.iterations());
}
BENCHMARK(BM_WholeFight)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

BENCHMARK_MAIN();
