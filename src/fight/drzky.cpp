#include "fight/drzky.h"

#include "fight/boj.h"
#include "runtime/runtime.h"
#include "shell/game.h"
#include "shell/konecna.h"
#include "shell/module.h"
#include "shell/nacitani.h"
#include "shell/obr.h"

namespace vorkala {

namespace {
constexpr float kLoadingBarStep = 100;
}

vk::Design DrzkyControls::fighterName(float left, float width, const char* caption) {
    return {.left = left,
            .top = 1200,
            .width = width,
            .height = 1095,
            .caption = caption,
            .foreColor = kDropColour,
            .backOpaque = false,
            .font = {.name = "Arial", .size = 48, .italic = true}};
}

vk::Design DrzkyControls::button(float left, float top, float width, float height,
                                 const std::string& file) {
    return layoutButton(left, top, width, height, file);
}

DrzkyControls::DrzkyControls(vk::Runtime& runtime, vk::Screen& screen)
    : ControlSet(runtime, screen) {
    backColor = vk::colours::kBlack;
}

namespace {
// The screen's routines by name: the script driver calls them, and those named after an
// event of a control run on it.
const vk::RoutineRow<Drzky> kRoutines[] = {
    {"AdvanceLoadingBar", &Drzky::AdvanceLoadingBar}, {"Image1_Click", &Drzky::Image1_Click},
    {"Image2_Click", &Drzky::Image2_Click},           {"Image3_Click", &Drzky::Image3_Click},
    {"Image4_Click", &Drzky::Image4_Click},           {"Timer1_Timer", &Drzky::Timer1_Timer},
};
}  // namespace

Drzky::Drzky(Game& game) : ScreenOf(game.runtime(), "drzky", "Vorkala - drzky"), game_(game) {
    exposeRoutines(*this, kRoutines);
}

void Drzky::Form_Load() {
    openChannel(ui().MMControl1, "WaveAudio", programFile(runtime(), "\\data\\zvuk\\kov.wav"));
    // Naming the fight screen's energies loads that screen when it is not loaded yet.
    auto& fight = game_.boj().ui();
    auto& store = game_.obr().ui();
    if (vk::captionValue(fight.ziv1) > vk::captionValue(fight.ziv2)) {
        ui().levej.setPicture(store.levejwin.picture());
        ui().pravej.setPicture(store.pravejout.picture());
    } else {
        ui().levej.setPicture(store.levejout.picture());
        ui().pravej.setPicture(store.pravejwin.picture());
    }
}

void Drzky::AdvanceLoadingBar() {
    auto& bar = game_.nacitani().ui().lista;
    bar.setWidth(bar.width() + kLoadingBarStep);
}

void Drzky::Image2_Click() {
    replay(ui().MMControl1);
    game_.konecna().show();
    unload();
    game_.boj().unload();
}

void Drzky::Image3_Click() { runtime().openLink(kWebLink); }
void Drzky::Image4_Click() { runtime().openLink(kMailLink); }

void Drzky::Timer1_Timer() {
    auto& c = ui();
    moveDrops(
        {{c.Shape2, 100}, {c.Shape3, 200}, {c.Shape4, 150}, {c.Shape5, 250}, {c.Shape6, 300}});
}

}  // namespace vorkala
