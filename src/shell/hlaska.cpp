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

Hlaska::Hlaska(Game& game) : ScreenOf(game.runtime(), "hlaska", "Info") {
    exposeVariable("pulse", pulse);
}

void Hlaska::bindEvents(HlaskaControls& c) {
    c.Image1.onClick = [this] { Image1_Click(); };
    c.Image4.onClick = [this] { Image4_Click(); };
    c.Image5.onClick = [this] { Image5_Click(); };
    c.Timer1.onTimer = [this] { Timer1_Timer(); };
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
