// The real game as `vorkala --window` runs it, started from a point of play that takes
// long to reach by playing, for the end-to-end tests:
//   ladder-step-2  the match state store as a first won fight on the turbo ladder leaves it
//                  (the left human, three lives, the right roster's ladder at its second
//                  step): the title screen's OK shows the selection screen, whose load
//                  lays the ladder out and plays the ladder video;
//   after-fight    the left human on the ladder's first step, the after-fight screen shown:
//                  its next-fight button shows the loading screen while the selection
//                  screen loads and lays the ladder out.
// And, to compare with: `wait-cursor`, a window showing SDL's system wait cursor.
#include <SDL.h>

#include <iostream>
#include <string_view>

#include "fight/drzky.h"
#include "progress/pocitadlo.h"
#include "runtime/data_files.h"
#include "runtime/headless/headless_platform.h"
#include "runtime/runtime.h"
#include "runtime/sdl/sdl_app.h"
#include "shell/game.h"

namespace {

int showWaitCursor() {
    if (SDL_Init(SDL_INIT_VIDEO) != 0) return 1;
    SDL_Window* window = SDL_CreateWindow("Vorkala wait cursor", SDL_WINDOWPOS_CENTERED,
                                          SDL_WINDOWPOS_CENTERED, 200, 200, SDL_WINDOW_SHOWN);
    SDL_SetCursor(SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_WAIT));
    for (SDL_Event event{}; event.type != SDL_QUIT;) SDL_WaitEvent(&event);
    SDL_DestroyWindow(window);
    SDL_Quit();
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string_view scenario = argc > 1 ? argv[1] : "";
    if (scenario == "wait-cursor") return showWaitCursor();
    if (scenario != "ladder-step-2" && scenario != "after-fight") {
        std::cerr << "usage: vorkala-e2e-start ladder-step-2|after-fight|wait-cursor\n";
        return 2;
    }
    vk::MemorySettings settings;
    vk::sdl::SdlApp app({.windowed = true}, settings, vk::defaultProgramFolder());
    vk::Runtime runtime(app.platform());
    vorkala::Game game(runtime);
    return app.run(runtime, [&] {
        game.start();
        auto& store = game.pocitadlo().ui();
        store.Turbol.setCaption("1");
        store.Zivotyl.setCaption("3");
        store.PCp.setCaption(scenario == "after-fight" ? "1" : "2");
        if (scenario == "after-fight") game.drzky().show();
    });
}
