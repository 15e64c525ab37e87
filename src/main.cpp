// Vorkala: starts the game on the title screen.
#include <iostream>

#include "runtime/data_files.h"
#include "runtime/headless/headless_platform.h"
#include "runtime/runtime.h"
#include "runtime/settings_json.h"
#include "runtime/values.h"
#include "shell/game.h"

int main() {
    vk::adoptEnvironmentDecimalSeparator();
    std::cerr << "Vorkala: this build has no window yet; the title screen runs headless "
                 "for five seconds of game time and the program ends.\n";
    vk::HeadlessPlatform headless(
        vk::defaultProgramFolder(),
        std::make_unique<vk::JsonSettingsStore>(vk::JsonSettingsStore::defaultPath()));
    vk::Runtime runtime(headless.platform());
    vorkala::Game game(runtime);
    game.start();
    headless.advance(runtime, 5'000'000);
    return 0;
}
