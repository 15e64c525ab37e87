// In-process benchmarks: a fighter's pick with its pictures warm, whole fights on the
// virtual clock, presented frames of a fight against the bare SDL loop's frames in a
// real window (these need an X server: xvfb-run), and the hostile cases of saved
// progress: a 100 MB settings file and a 1 MB high-score name.
#include <SDL.h>
#include <SDL_ttf.h>
#include <benchmark/benchmark.h>

#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "bare_loop.h"
#include "runtime/data_files.h"
#include "runtime/sdl/frame_output.h"
#include "runtime/sdl/screen_renderer.h"
#include "runtime/sdl/sdl_handles.h"
#include "runtime/sdl/sdl_services.h"
#include "runtime/settings_json.h"
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

// The left player's keys as WholeGame's scripted player presses them, played in frames.
class LeftPlayer {
  public:
    void play(WholeGame& g, long ms) {
        const auto& step = vorkala::testing::kScriptedLeftPlayer[next_];
        if (into_ == 0) g.post(vk::KeyDownEvent{step.keyCode, 0});
        g.advanceMs(ms);
        into_ += ms;
        if (into_ >= step.heldMs && !released_) {
            g.post(vk::KeyUpEvent{step.keyCode, 0});
            released_ = true;
        }
        if (into_ >= step.heldMs + vorkala::testing::kBetweenKeysMs) {
            next_ = (next_ + 1) % vorkala::testing::kScriptedLeftPlayer.size();
            into_ = 0;
            released_ = false;
        }
    }

  private:
    std::size_t next_ = 0;
    long into_ = 0;
    bool released_ = false;
};

constexpr long kFrameMs = 16;

vk::sdl::WindowPtr benchWindow(bool fullScreen) {
    return vk::sdl::WindowPtr(
        SDL_CreateWindow("frames", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, 800, 600,
                         SDL_WINDOW_SHOWN | (fullScreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0)));
}

// One presented frame of a fight as the game shows it under a display without a GPU:
// what changed in 16 ms of the fight is drawn, scaled into the window and presented.
// Argument 1: full screen instead of an 800 x 600 window.
void BM_FightFrames(benchmark::State& state) {
    SDL_Init(SDL_INIT_VIDEO);
    TTF_Init();
    {
        auto g = gameAtFight();
        g->advanceMs(8000);  // the round has started; bars, names and countdown show
        auto window = benchWindow(state.range(0) == 1);
        if (!window) std::abort();
        auto output = vk::sdl::openSoftwareFrameOutput(window.get());
        output->present(g->runtime, true);
        LeftPlayer player;
        for (auto _ : state) {
            state.PauseTiming();
            player.play(*g, kFrameMs);
            state.ResumeTiming();
            output->present(g->runtime, false);
        }
    }
    TTF_Quit();
    SDL_Quit();
}
BENCHMARK(BM_FightFrames)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(600);

// One frame of the bare SDL loop: the whole picture copied and presented.
void BM_BareFrames(benchmark::State& state) {
    SDL_Init(SDL_INIT_VIDEO);
    {
        bench::BareLoop bare(state.range(0) == 1);
        if (!bare.ok()) std::abort();
        bare.frame();
        for (auto _ : state) bare.frame();
    }
    SDL_Quit();
}
BENCHMARK(BM_BareFrames)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(600);

// The benchmark process's peak resident memory so far, as the counter "peak_mb" (each
// benchmark runs in a process of its own under tools/bench.sh).
void reportPeakMemory(benchmark::State& state) {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_mb"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// A settings file of a returning player with a row of the high-score table and, in
// `paddingMb`, one key of any size, written in blocks so that the benchmark's own memory
// stays small.
void writeSettings(const std::filesystem::path& file, const std::string& name, int paddingMb) {
    std::ofstream out(file, std::ios::binary);
    out << R"x({"Vorkala": {"hraci": {"Text1.Text": "podruhe", "vyberpostav.meno(0).text": ")x"
        << name << R"x(", "vyberpostav.skore(0)": "100", "zz": ")x";
    const std::string block(1 << 20, 'z');
    for (int mb = 0; mb < paddingMb; ++mb) out << block;
    out << "\"}}}\n";
}

std::filesystem::path benchSettingsFile() {
    return std::filesystem::temp_directory_path() /
           ("vorkala-bench-settings-" + std::to_string(::getpid()) + ".json");
}

// The title screen's OK with a 100 MB settings file: it is read no further than the size
// cap, kept aside whole, and the OK's writes are saved once.
void BM_HugeSettingsFileToSelection(benchmark::State& state) {
    const auto file = benchSettingsFile();
    for (auto _ : state) {
        state.PauseTiming();
        for (const auto& copy : std::filesystem::directory_iterator(file.parent_path()))
            if (copy.path().string().rfind(file.string(), 0) == 0)
                std::filesystem::remove(copy.path());
        writeSettings(file, "ADA", 100);
        ::sync();  // a file the game finds has long been on disk
        state.ResumeTiming();
        WholeGame g(vk::defaultProgramFolder(), &decoder(),
                    std::make_unique<vk::JsonSettingsStore>(file));
        g.game.start();
        g.click(g.game.uvodni().ui().Image1);
        if (!WholeGame::showing(g.game.vyberpostav())) state.SkipWithError("no selection screen");
    }
    for (const auto& copy : std::filesystem::directory_iterator(file.parent_path()))
        if (copy.path().string().rfind(file.string(), 0) == 0) std::filesystem::remove(copy.path());
    reportPeakMemory(state);
}
BENCHMARK(BM_HugeSettingsFileToSelection)->Unit(benchmark::kMillisecond)->Iterations(3);

// The selection screen's first frame with a 1 MB name in the high-score table: the name's
// box shows what fits, and drawing costs no more.
void BM_LongNameFirstFrame(benchmark::State& state) {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    SDL_Init(0);
    TTF_Init();
    {
        const auto file = benchSettingsFile();
        writeSettings(file, std::string(1'000'000, 'W'), 0);
        WholeGame g(vk::defaultProgramFolder(), &decoder(),
                    std::make_unique<vk::JsonSettingsStore>(file));
        g.game.start();
        g.click(g.game.uvodni().ui().Image1);
        if (g.game.vyberpostav().ui().meno[0].text().size() != 1'000'000)
            state.SkipWithError("the name did not reach the table");
        vk::sdl::SurfacePtr surface(
            SDL_CreateRGBSurfaceWithFormat(0, 800, 600, 32, SDL_PIXELFORMAT_RGBA8888));
        vk::sdl::RendererPtr renderer(SDL_CreateSoftwareRenderer(surface.get()));
        for (auto _ : state) {
            vk::sdl::ScreenRenderer screens(renderer.get());  // nothing cached yet
            screens.draw(g.runtime);
            SDL_RenderPresent(renderer.get());
        }
        std::filesystem::remove(file);
    }
    TTF_Quit();
    SDL_Quit();
    reportPeakMemory(state);
}
BENCHMARK(BM_LongNameFirstFrame)->Unit(benchmark::kMillisecond)->MinTime(1.0);

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
