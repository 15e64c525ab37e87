#include "shell/hlaska.h"

#include "runtime/runtime.h"
#include "shell/game.h"
#include "shell/module.h"
#include "shell/ok_pulse.h"

namespace vorkala {

HlaskaControls::HlaskaControls(vk::Runtime& runtime, vk::Screen& screen)
    : ControlSet(runtime, screen) {
    background = runtime.loadPicture(layoutPicture("hlaska"));
}

namespace {
// The screen's routines by name: the script driver calls them, and those named after an
// event of a control run on it.
const vk::RoutineRow<Hlaska> kRoutines[] = {
    {"Image1_Click", &Hlaska::Image1_Click},
    {"Image4_Click", &Hlaska::Image4_Click},
    {"Image5_Click", &Hlaska::Image5_Click},
    {"Timer1_Timer", &Hlaska::Timer1_Timer},
};
}  // namespace

Hlaska::Hlaska(Game& game) : ScreenOf(game.runtime(), "hlaska", "Info") {
    exposeVariable("pulse", pulse);
    exposeRoutines(*this, kRoutines);
}

void Hlaska::Form_Load() {
    openChannel(ui().MMControl1, "WaveAudio", programFile(runtime(), "\\data\\zvuk\\kov.wav"));
}

void Hlaska::close() {
    replay(ui().MMControl1);
    unload();
}

void Hlaska::Form_KeyDown(int, int) { close(); }
void Hlaska::Image1_Click() { close(); }
void Hlaska::Image4_Click() { runtime().openLink(kMailLink); }
void Hlaska::Image5_Click() { runtime().openLink(kWebLink); }

void Hlaska::Timer1_Timer() { pulseOkButton(ui().Image1, pulse); }

}  // namespace vorkala
