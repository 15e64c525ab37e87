// The selection screen's code box on any text: the input is cut into pieces, each set as
// the box's text (which runs the box's change routine) with some virtual time between
// them. No text may end the game on a run-time error.
#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <string>
#include <string_view>

#include "runtime/data_files.h"
#include "whole_game.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using vorkala::testing::WholeGame;
    WholeGame g(vk::defaultProgramFolder());
    g.startToSelection();
    auto& selection = g.game.vyberpostav();
    if (!WholeGame::showing(selection)) std::abort();

    // Pieces are separated by a 0 byte; the byte after it gives the milliseconds to wait.
    std::string_view rest(reinterpret_cast<const char*>(data), size);
    while (!rest.empty() && !g.runtime.ended() && selection.loaded()) {
        const std::size_t cut = rest.find('\0');
        const std::string piece(rest.substr(0, cut));
        g.runtime.runTopLevel([&] { selection.ui().Text1.setText(piece); });
        if (cut == std::string_view::npos) break;
        rest.remove_prefix(cut + 1);
        const long wait = rest.empty() ? 0 : static_cast<unsigned char>(rest.front()) * 4;
        if (!rest.empty()) rest.remove_prefix(1);
        g.advanceMs(wait);
    }
    g.advanceMs(100);
    for (const auto& shown : g.headless.messages.shown()) {
        if (shown.icon != vk::MessageIcon::Critical) continue;
        std::cerr << "run-time error: " << shown.text << "\n";
        std::abort();
    }
    return 0;
}
