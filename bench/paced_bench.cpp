// The game's blocking loops in real time: the real pacer with the real screen renderer
// presenting into a window of the screen's size, the game's own routines running the
// loops. Prints each loop's median wall time next to the time its steps add up to:
//   vorkala-bench-paced RUNS
// A display must be open (xvfb-run); sound is not played.
#include <SDL.h>
#include <SDL_image.h>
#include <SDL_ttf.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "fight/boj.h"
#include "progress/pocitadlo.h"
#include "runtime/data_files.h"
#include "runtime/headless/headless_platform.h"
#include "runtime/runtime.h"
#include "runtime/sdl/frame_output.h"
#include "runtime/sdl/sdl_handles.h"
#include "runtime/sdl/sdl_services.h"
#include "select/vyberpostav.h"
#include "shell/game.h"
#include "shell/obr.h"
#include "shell/pacing.h"
#include "shell/uvodni.h"

namespace {

using Clock = std::chrono::steady_clock;
namespace pacing = vorkala::pacing;

// A window covering the screen, drawn by the game's own frame output on the CPU, as the
// game draws where there is no GPU.
class Window {
  public:
    Window() {
        SDL_DisplayMode mode{};
        SDL_GetCurrentDisplayMode(0, &mode);
        window_.reset(
            SDL_CreateWindow("Vorkala bench", 0, 0, mode.w, mode.h, SDL_WINDOW_BORDERLESS));
        if (window_) output_ = vk::sdl::openSoftwareFrameOutput(window_.get());
    }
    bool ok() const { return output_ != nullptr; }
    // A new game's first frame shows the whole window, later ones what changed.
    void startOver() { whole_ = true; }
    void present(const vk::Runtime& runtime) {
        output_->present(runtime, std::exchange(whole_, false));
    }

  private:
    vk::sdl::WindowPtr window_;
    std::unique_ptr<vk::sdl::FrameOutput> output_;
    bool whole_ = true;
};

// The game on the real clock and pacer, every other service headless.
struct RealTimeGame {
    explicit RealTimeGame(Window& window)
        : headless(vk::defaultProgramFolder()),
          platform{.clock = clock,
                   .pacer = pacer,
                   .input = headless.input,
                   .audio = headless.audio,
                   .video = headless.video,
                   .settings = headless.settings(),
                   .display = headless.display,
                   .links = headless.links,
                   .messages = headless.messages,
                   .pictureDecoder = pictures,
                   .programFolder = headless.platform().programFolder,
                   .dataFolder = headless.platform().dataFolder},
          runtime(platform),
          game(runtime) {
        window.startOver();
        pacer.setFramePresenter([this, &window] { window.present(runtime); });
        game.start();
        click(game.uvodni().ui().Image5);  // the title's OK: the selection screen
    }
    void click(const vk::Control& c) {
        headless.input.post(vk::clickOn(c));
        runtime.dispatchPending();
    }
    // Wall-clock milliseconds a routine takes.
    double timed(const std::function<void()>& routine) {
        const auto start = Clock::now();
        runtime.runTopLevel(routine);
        return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    }
    vorkala::VyberpostavControls& selection() { return game.vyberpostav().ui(); }
    vorkala::BojControls& fight() { return game.boj().ui(); }

    vk::HeadlessPlatform headless;
    vk::sdl::SdlClock clock;
    vk::sdl::SdlPacer pacer{clock, 1'000'000 / 60};
    vk::sdl::SdlPictureDecoder pictures;
    vk::Platform platform;
    vk::Runtime runtime;
    vorkala::Game game;
};

// Both fighters' poses and faces in the stores, as two picks leave them.
void fillFighters(RealTimeGame& g) {
    auto& pictures = g.game.obr().ui();
    const vk::PictureRef left = g.runtime.loadPicture("\\data\\obr\\2pzopost1.old");
    const vk::PictureRef right = g.runtime.loadPicture("\\data\\obr\\2pzohk3.old");
    for (auto& pose : pictures.levej)
        if (pose) pose->setPicture(left);
    for (auto& pose : pictures.pravej)
        if (pose) pose->setPicture(right);
    for (vk::Control* face :
         {&pictures.levejwin, &pictures.levejout, &pictures.pravejwin, &pictures.pravejout})
        face->setPicture(left);
    g.game.pocitadlo().ui().energiel.setCaption("50");
    g.game.pocitadlo().ui().energiep.setCaption("50");
    g.fight().meno1.setCaption("Lev");  // loads the fight screen
    g.game.boj().show();
}

struct Loop {
    const char* name;
    double pacedMs;  // what its steps add up to
    std::function<double(RealTimeGame&)> run;
};

const std::vector<Loop>& loops() {
    static const std::vector<Loop> all = {
        {"left pick glide (krt)", 100 * pacing::kGlideStep / 1000.0,
         [](RealTimeGame& g) { return g.timed(g.game.vyberpostav().routines().at("krt_Click")); }},
        {"left pick glide letting events run at each step (pz2)", 100 * pacing::kGlideStep / 1000.0,
         [](RealTimeGame& g) { return g.timed(g.game.vyberpostav().routines().at("pz2_Click")); }},
        {"ladder layout", 14 * 10000 * pacing::kLadderGlideStep / 1000.0,
         [](RealTimeGame& g) {
             g.selection().Text1.setText("turbo levak");
             return g.timed([&] { g.game.vyberpostav().routines().at("Image10_Click")(); });
         }},
        {"finishing sequence", 5000 * pacing::kFinishingFrame / 1000.0,
         [](RealTimeGame& g) {
             fillFighters(g);
             return g.timed([&] { g.game.boj().vyhra(); });
         }},
        {"throw", 50 * pacing::kThrowStep / 1000.0,
         [](RealTimeGame& g) {
             fillFighters(g);
             auto& c = g.fight();
             // The left fighter high in the air, held there: its high kick throws.
             for (vk::Timer* t : {&c.Timer11, &c.Timer22, &c.Timer20, &c.Timer23, &c.Timer4,
                                  &c.Timer13, &c.Timer7})
                 t->setEnabled(false);
             c.prvni.setLeft(4000);
             c.druhej.setLeft(6000);
             c.druhej.setTop(4200);
             c.prvni.setTop(3000);
             return g.timed(g.game.boj().routines().at("HK"));
         }},
    };
    return all;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
    if (SDL_Init(SDL_INIT_VIDEO) != 0 || TTF_Init() != 0) return 1;
    IMG_Init(IMG_INIT_PNG);
    {
        Window window;
        if (!window.ok()) return 1;
        for (const Loop& loop : loops()) {
            std::vector<double> times;
            for (int i = 0; i < runs; ++i) {
                RealTimeGame game(window);
                times.push_back(loop.run(game));
            }
            std::printf("%s\t%.0f\t%.0f\n", loop.name, loop.pacedMs, median(times));
        }
    }
    IMG_Quit();
    TTF_Quit();
    SDL_Quit();
    return 0;
}
