#include "select/vyberpostav.h"

#include <array>

#include "progress/saved_progress.h"
#include "runtime/runtime.h"
#include "shell/game.h"
#include "shell/module.h"
#include "shell/pocitadlo.h"

namespace vorkala {

namespace {
const std::string kOneLife = "\\data\\obr\\1.old";
const std::string kStruckOff = "\\data\\obr\\mrtev.old";
const std::string kCodePrompt = "your code?";
const std::string kNamePrompt = "write your name here!";
// Points above this start the name entry for the high-score table.
constexpr double kNameEntryPoints = 4;
}  // namespace

vk::Design VyberpostavControls::button(float left, float top, float width, float height,
                                       const std::string& picture, bool visible) {
    return {.left = left,
            .top = top,
            .width = width,
            .height = height,
            .visible = visible,
            .picture = layoutPicture(picture),
            .stretch = true,
            .cursor = kButtonCursor};
}

vk::Design VyberpostavControls::tableRow(float left, int row, float width, std::string text) {
    return {.left = left,
            .top = 4920.0f + 480.0f * static_cast<float>(row),
            .width = width,
            .height = 495,
            .text = std::move(text),
            .foreColor = selection_colours::kTableText,
            .backColor = 0,
            .font = {.name = "Arial", .size = 15.75f}};
}

vk::Design VyberpostavControls::statistic(float left, float top, vk::Colour back, float width) {
    return {.left = left,
            .top = top,
            .width = width,
            .height = 255,
            .visible = false,
            .backColor = back};
}

vk::Design VyberpostavControls::drop(float left, float top) {
    return {.left = left,
            .top = top,
            .width = 135,
            .height = 135,
            .fillColor = selection_colours::kDrop,
            .filled = true,
            .borderColor = selection_colours::kDrop,
            .shape = vk::ShapeKind::Circle};
}

vk::Design VyberpostavControls::toggleState(float left) {
    return {.left = left,
            .top = 4560,
            .width = 1215,
            .height = 735,
            .enabled = false,
            .text = "OFF",
            .foreColor = selection_colours::kToggleText,
            .backColor = selection_colours::kToggleBack,
            .font = {.name = "Comic Sans MS", .size = 26.25f, .bold = true, .italic = true}};
}

VyberpostavControls::VyberpostavControls(vk::Runtime& runtime, vk::Screen& screen)
    : ControlSet(runtime, screen) {
    backColor = 0;
}

Vyberpostav::Vyberpostav(Game& game)
    : ScreenOf(game.runtime(), "vyberpostav", "Vorkala - vyberpostav"), game_(game) {
    exposeVariable("soundFlag", soundFlag);
    exposeVariable("leftGlideTarget.Left", leftGlideTarget.left);
    exposeVariable("leftGlideTarget.Top", leftGlideTarget.top);
    exposeVariable("rightGlideTarget.Left", rightGlideTarget.left);
    exposeVariable("rightGlideTarget.Top", rightGlideTarget.top);
}

void Vyberpostav::bindEvents(VyberpostavControls&) {}

void Vyberpostav::loadHighScoreTable() {
    for (int row = 0; row < kHighScoreRows; ++row)
        ui().meno[row].setText(readSetting(game_, highScoreNameKey(row)));
    for (int row = 0; row < kHighScoreRows; ++row)
        ui().skore[row].setCaption(readSetting(game_, highScorePointsKey(row)));
}

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

void Vyberpostav::Form_Load() {
    auto& store = game_.pocitadlo().ui();
    loadHighScoreTable();
    ui().Timer3.setInterval(1000);
    copyStatistics();
    ui().Label2.setCaption("0");
    ui().Tvujkod.setVisible(false);
    ui().Text1.setText(kCodePrompt);
    openSoundChannels();
    ui().Picture1.setPicture(runtime().loadPicture(kOneLife));
    ui().Picture2.setPicture(runtime().loadPicture(kOneLife));
    showLives(ui().Picture1, store.Zivotyl, store.Turbol);
    showLives(ui().Picture2, store.Zivotyp, store.Turbop);
    if (vk::captionValue(store.Zivotyl) == 0) store.Turbol.setCaption("0");
    if (vk::captionValue(store.Zivotyp) == 0) store.Turbop.setCaption("0");
    soundFlag = 1;
    leftGlideTarget = {5160, 2520};
    rightGlideTarget = {6000, 2520};
    if (vk::captionValue(store.Turbol) == 0) {
        store.energiel.setCaption("50");
        store.silauderup.setCaption("2");
    }
    if (vk::captionValue(store.Turbop) == 0) {
        store.energiep.setCaption("50");
        store.silauderul.setCaption("2");
    }
    if (vk::captionValue(store.Turbop) == 1) ui().Picture2.setVisible(true);
    if (vk::captionValue(store.Turbol) == 1) ui().Picture1.setVisible(true);
    startNameEntry(store.bodyL);
    startNameEntry(store.bodyP);
}

}  // namespace vorkala
