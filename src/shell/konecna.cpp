#include "shell/konecna.h"

#include "runtime/runtime.h"
#include "shell/game.h"
#include "shell/module.h"
#include "shell/ok_pulse.h"

namespace vorkala {

vk::Design KonecnaControls::button(float left, float top, float width, float height,
                                   const std::string& file, bool stretch) {
    vk::Design d = layoutButton(left, top, width, height, file);
    d.stretch = stretch;
    return d;
}

KonecnaControls::KonecnaControls(vk::Runtime& runtime, vk::Screen& screen)
    : ControlSet(runtime, screen) {
    backColor = vk::colours::kBlack;
}

namespace {
// The screen's routines by name: the script driver calls them, and those named after an
// event of a control run on it.
const vk::RoutineRow<Konecna> kRoutines[] = {
    {"Image1_Click", &Konecna::Image1_Click}, {"Image3_Click", &Konecna::Image3_Click},
    {"Image4_Click", &Konecna::Image4_Click}, {"Timer1_Timer", &Konecna::Timer1_Timer},
    {"Timer2_Timer", &Konecna::Timer2_Timer},
};
}  // namespace

Konecna::Konecna(Game& game)
    : ScreenOf(game.runtime(), "konecna", "Vorkala - konecna"), game_(game) {
    exposeVariable("pulse", pulse);
    exposeRoutines(*this, kRoutines);
}

void Konecna::Form_Load() {
    openChannel(ui().MMControl1, "WaveAudio", programFile(runtime(), "\\data\\zvuk\\kov.wav"));
    openChannel(ui().MMControl2, "", programFile(runtime(), "\\data\\hudba\\mezi.mid"));
    ui().MMControl2.setCommand("Play");
}

void Konecna::leave() {
    replay(ui().MMControl1);
    RestoreDisplayMode(game_);
    runtime().endProgram();
}

void Konecna::Image1_Click() { leave(); }
void Konecna::Form_KeyPress(char) { leave(); }
void Konecna::Image3_Click() { runtime().openLink(kWebLink); }
void Konecna::Image4_Click() { runtime().openLink(kMailLink); }

// A waiting key or click is handled before the drops move.
void Konecna::Timer1_Timer() {
    runtime().doEvents();
    if (!loaded()) return;
    auto& c = ui();
    moveDrops(
        {{c.Shape2, 100}, {c.Shape3, 200}, {c.Shape4, 150}, {c.Shape5, 250}, {c.Shape6, 300}});
}

void Konecna::Timer2_Timer() { pulseOkButton(ui().Image1, pulse); }

}  // namespace vorkala
