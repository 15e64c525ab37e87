// Vorkala: starts the game on the title screen, full screen, or in an 800 x 600 window
// with --window (or VORKALA_WINDOW=1). With --where it only says where its data and the
// saved progress are.
#include <exception>
#include <iostream>
#include <string_view>

#include "progress/saved_progress.h"
#include "runtime/data_files.h"
#include "runtime/end_on_signal.h"
#include "runtime/runtime.h"
#include "runtime/sdl/sdl_app.h"
#include "runtime/settings_json.h"
#include "runtime/values.h"
#include "shell/game.h"

namespace {

bool whereAsked(int argc, char** argv) {
    for (int i = 1; i < argc; ++i)
        if (std::string_view(argv[i]) == "--where") return true;
    return false;
}

void tellWhere() {
    std::cout << "Game data: " << (vk::defaultProgramFolder() / "data").string() << "\n"
              << "Saved progress: " << vk::JsonSettingsStore::defaultPath().string() << "\n";
}

}  // namespace

int main(int argc, char** argv) {
    if (whereAsked(argc, argv)) {
        tellWhere();
        return 0;
    }
    vk::adoptEnvironmentDecimalSeparator();
    try {
        vk::JsonSettingsStore settings(vk::JsonSettingsStore::defaultPath(),
                                       vorkala::savedProgressLayout());
        const vk::EndOnSignal endOnSignal([&settings] { settings.saveNow(); });
        vk::sdl::SdlApp app({.windowed = vk::sdl::windowRequested(argc, argv)}, settings,
                            vk::defaultProgramFolder());
        vk::Runtime runtime(app.platform());
        vorkala::Game game(runtime);
        return app.run(runtime, [&game] { game.start(); });
    } catch (const std::exception& e) {
        std::cerr << "Vorkala: " << e.what() << "\n";
        return 1;
    }
}
