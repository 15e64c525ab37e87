#include "shell/uvodni.h"

#include "progress/pocitadlo.h"
#include "progress/saved_progress.h"
#include "runtime/platform.h"
#include "runtime/runtime.h"
#include "shell/game.h"
#include "shell/hlaska.h"
#include "shell/module.h"

namespace vorkala {

UvodniControls::UvodniControls(vk::Runtime& runtime, vk::Screen& screen)
    : ControlSet(runtime, screen) {
    background = runtime.loadPicture(layoutPicture("uvodni"));
}

namespace {
// The screen's routines by name: the script driver calls them, and those named after an
// event of a control run on it.
const vk::RoutineRow<Uvodni> kRoutines[] = {
    {"Image1_Click", &Uvodni::Image1_Click}, {"Image2_Click", &Uvodni::Image2_Click},
    {"Image3_Click", &Uvodni::Image3_Click}, {"Image4_Click", &Uvodni::Image4_Click},
    {"Image5_Click", &Uvodni::Image5_Click}, {"Image6_Click", &Uvodni::Image6_Click},
    {"Timer1_Timer", &Uvodni::Timer1_Timer},
};
}  // namespace

Uvodni::Uvodni(Game& game) : ScreenOf(game.runtime(), "uvodni", "Vorkala - uvodni"), game_(game) {
    exposeVariable("startFlag", startFlag);
    exposeRoutines(*this, kRoutines);
}

void Uvodni::Form_Load() {
    vk::Runtime& rt = runtime();
    const vk::DisplayService& display = rt.platform().display;
    // The desktop size before the switch; the first statement loads the store.
    const float twipsHigh = static_cast<float>(display.heightPixels() * vk::kTwipsPerPixel);
    const float twipsWide = static_cast<float>(display.widthPixels() * vk::kTwipsPerPixel);
    game_.pocitadlo().ui().vyska.setCaption(
        vk::textOf(twipsHigh / static_cast<float>(vk::kTwipsPerPixel)));
    game_.pocitadlo().ui().sirka.setCaption(
        vk::textOf(twipsWide / static_cast<float>(vk::kTwipsPerPixel)));

    ui().Text1.setText(rt.platform().settings.get(kAppTitle, kSettingsSection, kMarkerKey));
    if (ui().Text1.text() == kSecondRunMarker) ui().Image5.setVisible(false);

    openChannel(ui().MMControl3, "WaveAudio", programFile(rt, "\\data\\zvuk\\kov.wav"));
    openChannel(ui().MMControl1, "WaveAudio", programFile(rt, "\\data\\zvuk\\logo.wav"));
    openChannel(ui().MMControl2, "WaveAudio", programFile(rt, "\\data\\zvuk\\jo.wav"));
    openChannel(ui().MMControl4, "", programFile(rt, "\\data\\hudba\\mezi.mid"));
    ui().MMControl4.setCommand("Play");

    auto& store = game_.pocitadlo().ui();
    for (vk::Control* label :
         {&store.LehkaL, &store.LehkaP, &store.StredniL, &store.StredniP, &store.TezkaL,
          &store.TezkaP, &store.ObtiznostL, &store.ObtiznostP, &store.Turbol, &store.Turbop})
        label->setCaption("0");

    startFlag = 1;
    SetDisplayMode(rt, 800, 600);
}

void Uvodni::Timer1_Timer() {
    // Repeats on every tick; the channel plays its sound once per Open.
    if (startFlag == 1) ui().MMControl1.setCommand("play");
}

void Uvodni::Image2_Click() {
    replay(ui().MMControl3);
    RestoreDisplayMode(game_);
    runtime().endProgram();
}

void Uvodni::Image3_Click() {
    replay(ui().MMControl3);
    game_.hlaska().show();
}

void Uvodni::Image4_Click() { runtime().openLink(kMailLink); }
void Uvodni::Image6_Click() { runtime().openLink(kWebLink); }

void Uvodni::leaveForSelection() {
    ui().MMControl2.setCommand("play");
    ui().MMControl4.setCommand("Close");
    game_.selectionScreen().show();
    unload();
}

}  // namespace vorkala
