// The fight's music track, the quit button and the links.
#include <cstdio>

#include "fight/boj.h"
#include "runtime/runtime.h"
#include "shell/game.h"
#include "shell/module.h"

namespace vorkala {

namespace {
constexpr int kTracks = 10;
}

// One track of ten, drawn once per fight a second after the load.
void Boj::Timer9_Timer() {
    musicTrack = RandomInRange(runtime().clock(), 1, kTracks);
    for (int track = 1; track <= kTracks; ++track) {
        if (musicTrack != static_cast<float>(track)) continue;
        char file[32];
        std::snprintf(file, sizeof file, "\\data\\hudba\\%02d.mp3", track);
        ui().WindowsMediaPlayer1.setUrl(programFile(runtime(), file));
    }
    ui().Timer9.setEnabled(false);
}

// Ends the whole program at once: nothing is saved and no other screen follows.
void Boj::Image14_Click() {
    replay(ui().MMControl3);
    RestoreDisplayMode(game_);
    runtime().endProgram();
}

void Boj::Image4_Click() { runtime().openLink(kMailLink); }
void Boj::Image5_Click() { runtime().openLink(kWebLink); }

}  // namespace vorkala
