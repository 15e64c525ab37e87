// The real game as `vorkala --window` runs it, with the match state store as a first won
// fight on the turbo ladder leaves it: the left human, three lives, the right roster's
// ladder at its second step. The title screen's OK then shows the selection screen, whose
// load lays the ladder out and plays the ladder video. For the end-to-end test of the video.
#include "runtime/data_files.h"
#include "runtime/headless/headless_platform.h"
#include "runtime/runtime.h"
#include "runtime/sdl/sdl_app.h"
#include "shell/game.h"
#include "progress/pocitadlo.h"

int main() {
    vk::MemorySettings settings;
    vk::sdl::SdlApp app({.windowed = true}, settings, vk::defaultProgramFolder());
    vk::Runtime runtime(app.platform());
    vorkala::Game game(runtime);
    return app.run(runtime, [&game] {
        game.start();
        auto& store = game.pocitadlo().ui();
        store.Turbol.setCaption("1");
        store.Zivotyl.setCaption("3");
        store.PCp.setCaption("2");
    });
}
