#include "select/vyberpostav.h"

#include <array>

#include "fight/boj.h"
#include "progress/pocitadlo.h"
#include "progress/saved_numbers.h"
#include "progress/saved_progress.h"
#include "runtime/runtime.h"
#include "shell/game.h"
#include "shell/module.h"

namespace vorkala {

namespace {
const std::string kOneLife = "\\data\\obr\\1.old";
const std::string kStruckOff = "\\data\\obr\\mrtev.old";
const std::string kCodePrompt = "your code?";
const std::string kNamePrompt = "write your name here!";
// Points above this start the name entry for the high-score table.
constexpr double kNameEntryPoints = 4;

// The screen's routines by name: the script driver calls them, and those named after an
// event of a control run on it.
const vk::RoutineRow<Vyberpostav> kRoutines[] = {
    {"Timer1_Timer", &Vyberpostav::Timer1_Timer},
    {"Timer2_Timer", &Vyberpostav::Timer2_Timer},
    {"Timer4_Timer", &Vyberpostav::Timer4_Timer},
    {"Timer7_Timer", &Vyberpostav::Timer7_Timer},
    {"Timer8_Timer", &Vyberpostav::Timer8_Timer},
    {"Timer9_Timer", &Vyberpostav::Timer9_Timer},
    {"Image2_Click", &Vyberpostav::Image2_Click},
    {"Image3_Click", &Vyberpostav::Image3_Click},
    {"Image4_Click", &Vyberpostav::Image4_Click},
    {"Image5_Click", &Vyberpostav::Image5_Click},
    {"Image6_Click", &Vyberpostav::Image6_Click},
    {"Image7_Click", &Vyberpostav::Image7_Click},
    {"Image8_Click", &Vyberpostav::Image8_Click},
    {"Image9_Click", &Vyberpostav::Image9_Click},
    {"ObtiznostL", &Vyberpostav::ObtiznostL},
    {"easyl", &Vyberpostav::easyl},
    {"midlel", &Vyberpostav::midlel},
    {"Image10_Click", &Vyberpostav::Image10_Click},
    {"Image11_Click", &Vyberpostav::Image11_Click},
    {"Image12_Click", &Vyberpostav::Image12_Click},
    {"Image13_Click", &Vyberpostav::Image13_Click},
    {"Image15_Click", &Vyberpostav::Image15_Click},
    {"odemknutihracu", &Vyberpostav::odemknutihracu},
    {"presunl", &Vyberpostav::presunl},
    {"presunp", &Vyberpostav::presunp},
    {"zaplejl", &Vyberpostav::zaplejl},
    {"zaplejp", &Vyberpostav::zaplejp},
    {"Text1_Change", &Vyberpostav::Text1_Change},
    {"Text1_Click", &Vyberpostav::Text1_Click},
    {"Timer3_Timer", &Vyberpostav::Timer3_Timer},
    {"Timer6_Timer", &Vyberpostav::Timer6_Timer},
    {"Image14_Click", &Vyberpostav::Image14_Click},
    {"VYM_Click", &Vyberpostav::VYM_Click},
};
}  // namespace

Vyberpostav::Vyberpostav(Game& game)
    : ScreenOf(game.runtime(), "vyberpostav", "Vorkala - vyberpostav"), game_(game) {
    exposeVariable("soundFlag", soundFlag);
    exposeVariable("leftGlideTarget.Left", leftGlideTarget.left);
    exposeVariable("leftGlideTarget.Top", leftGlideTarget.top);
    exposeVariable("rightGlideTarget.Left", rightGlideTarget.left);
    exposeVariable("rightGlideTarget.Top", rightGlideTarget.top);
    exposeVariable("glideStep", glideStep);
    exposeVariable("pulseCount", pulseCount);
    exposeVariable("blinkCount", blinkCount);
    exposeRoutines(*this, kRoutines);
    exposePortraits();
}

// Each portrait's click is its fighter's pick, its mouse move the preview.
void Vyberpostav::exposePortraits() {
    for (const Fighter& fighter : roster()) {
        exposeRoutine(std::string(fighter.code) + "_Click", [this, &fighter] { pick(fighter); });
        exposeRoutine(std::string(fighter.code) + "_MouseMove",
                      [this, &fighter] { preview(fighter); });
    }
}

vk::Control& Vyberpostav::nameBox(int row) { return ui().meno[row]; }
vk::Control& Vyberpostav::pointsLabel(int row) { return ui().skore[row]; }

void Vyberpostav::copyStatistics() {
    auto& store = game_.pocitadlo().ui();
    auto& c = ui();
    const std::array<std::pair<vk::Control*, vk::Control*>, 14> statistics{{
        {&c.Label3, &store.bodyL},
        {&c.Label4, &store.bodyP},
        {&c.Label5, &store.bodylehkaL},
        {&c.Label6, &store.bodystredniL},
        {&c.Label7, &store.bodytezkaL},
        {&c.Label8, &store.bodylehkaP},
        {&c.Label9, &store.bodystredniP},
        {&c.Label10, &store.bodytezkaP},
        {&c.Label11, &store.LehkaL},
        {&c.Label12, &store.StredniL},
        {&c.Label13, &store.TezkaL},
        {&c.Label16, &store.LehkaP},
        {&c.Label17, &store.StredniP},
        {&c.Label18, &store.TezkaP},
    }};
    for (auto [label, source] : statistics) label->setCaption(source->caption());
}

void Vyberpostav::openSoundChannels() {
    vk::Runtime& rt = runtime();
    auto prepare = [](vk::SoundChannel& channel, const std::string& device) {
        channel.clearOptions();
        channel.setDeviceType(device);
    };
    prepare(ui().levej, "WaveAudio");
    prepare(ui().video, "AVIVideo");
    prepare(ui().pravej, "WaveAudio");
    openChannel(ui().MMControl6, "WaveAudio", programFile(rt, "\\data\\zvuk\\vyber.wav"));
    openChannel(ui().MMControl1, "WaveAudio", programFile(rt, "\\data\\zvuk\\kov.wav"));
    openChannel(ui().MMControl2, "", programFile(rt, "\\data\\hudba\\mezi.mid"));
    ui().MMControl2.setCommand("Play");
}

// Shows a turbo human's lives; no lives left takes the human off the ladder.
void Vyberpostav::showLives(vk::Control& picture, vk::Control& lives, vk::Control& turbo) {
    static const std::array<std::pair<double, const char*>, 3> kLivesPictures{{
        {3, "\\data\\obr\\3.old"},
        {2, "\\data\\obr\\2.old"},
        {1, "\\data\\obr\\1.old"},
    }};
    for (auto [count, file] : kLivesPictures)
        if (vk::captionValue(lives) == count) picture.setPicture(runtime().loadPicture(file));
    if (vk::captionValue(lives) == 0) {
        picture.setPicture(runtime().loadPicture(kStruckOff));
        turbo.setCaption("0");
    }
}

void Vyberpostav::startNameEntry(vk::Control& points) {
    if (vk::captionValue(points) <= kNameEntryPoints) return;
    ui().Timer3.setInterval(0);
    ui().Text1.setText(kNamePrompt);
    ui().Timer6.setEnabled(true);
    ui().Timer6.setInterval(1);
}

// The covers of a roster's eleven fighters; cover 0, the secret fighter's, stays.
void Vyberpostav::hideCovers(Side side) {
    for (int i = 1; i <= 11; ++i) ui().covers(side)[i].setVisible(false);
}

void Vyberpostav::Form_Load() {
    auto& store = game_.pocitadlo().ui();
    auto reads = [](const vk::Control& label, double value) {
        return vk::captionValue(label) == value;
    };
    loadHighScoreTable(runtime(), *this);
    ui().Timer3.setInterval(1000);
    copyStatistics();
    ui().Label2.setCaption("0");
    ui().Tvujkod.setVisible(false);
    ui().Text1.setText(kCodePrompt);
    openSoundChannels();
    ui().Picture1.setPicture(runtime().loadPicture(kOneLife));
    ui().Picture2.setPicture(runtime().loadPicture(kOneLife));
    showLives(ui().Picture1, store.Zivotyl, store.Turbol);
    // A human on the ladder faces the other roster laid out for the current step.
    if (reads(store.Turbol, 1)) {
        presunp();
        hideCovers(Side::Right);
    }
    if (reads(store.Turbop, 1)) {
        presunl();
        hideCovers(Side::Left);
    }
    showLives(ui().Picture2, store.Zivotyp, store.Turbop);
    if (reads(store.Zivotyl, 0)) store.Turbol.setCaption("0");
    if (reads(store.Zivotyp, 0)) store.Turbop.setCaption("0");
    if (reads(store.Turbop, 1)) presunl();
    if (reads(store.Turbol, 1)) presunp();
    soundFlag = 1;
    leftGlideTarget = {5160, 2520};
    rightGlideTarget = {6000, 2520};
    if (reads(store.Turbol, 0)) {
        store.energiel.setCaption("50");
        store.silauderup.setCaption("2");
    }
    if (reads(store.Turbop, 0)) {
        store.energiep.setCaption("50");
        store.silauderul.setCaption("2");
    }
    if (reads(store.Turbop, 1)) ui().Picture2.setVisible(true);
    if (reads(store.Turbol, 1)) ui().Picture1.setVisible(true);
    startNameEntry(store.bodyL);
    startNameEntry(store.bodyP);
    odemknutihracu();
}

// Six seconds after the load and every six seconds on: exactly two picks start the fight.
void Vyberpostav::Timer1_Timer() {
    if (vk::captionValue(ui().Label2) != 2) return;
    ui().MMControl2.setCommand("Close");
    saveHighScoreTable(runtime(), *this);
    unload();
    game_.boj().show();
}

// Plays the selection sound once per load: a play after the first changes nothing.
void Vyberpostav::Timer2_Timer() {
    if (soundFlag == 1) ui().MMControl6.setCommand("Play");
}

void Vyberpostav::Timer4_Timer() { ui().hrac.setVisible(false); }
void Vyberpostav::Timer8_Timer() { ui().srac.setVisible(false); }

void Vyberpostav::Timer7_Timer() {
    auto& c = ui();
    moveDrops(
        {{c.Shape2, 100}, {c.Shape3, 200}, {c.Shape4, 150}, {c.Shape5, 250}, {c.Shape6, 300}});
}

// The difficulty and turbo buttons pulse: shrunk on one tick, their design size on the
// next, shown or not.
void Vyberpostav::Timer9_Timer() {
    runtime().doEvents();
    if (!loaded()) return;
    auto& c = ui();
    struct Size {
        vk::Control* button;
        float width, height;
    };
    const Size designSizes[] = {
        {&c.Image4, 990, 405},   {&c.Image5, 1575, 435},  {&c.Image6, 1005, 480},
        {&c.Image7, 990, 405},   {&c.Image8, 1575, 435},  {&c.Image9, 1005, 480},
        {&c.Image10, 1755, 465}, {&c.Image11, 1755, 465},
    };
    ++pulseCount;
    for (const Size& size : designSizes) {
        size.button->setHeight(pulseCount == 1 ? 350 : size.height);
        size.button->setWidth(pulseCount == 1 ? 900 : size.width);
    }
    if (pulseCount == 2) pulseCount = 0;
}

}  // namespace vorkala
