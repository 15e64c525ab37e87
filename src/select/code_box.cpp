// The code box's change routine, its click and its prompt blink.
#include "select/code_box.h"

#include <functional>
#include <string>
#include <vector>

#include "progress/pocitadlo.h"
#include "progress/rewards.h"
#include "select/rewards.h"
#include "select/vyberpostav.h"
#include "shell/game.h"

namespace vorkala {

namespace {

constexpr vk::Colour kBlinkDark = 0x40, kBlinkBright = 0xC000C0;

struct Code {
    std::string text;
    std::function<void(Vyberpostav&)> act;
};

void showTurbo(Vyberpostav& screen, Side side) {
    screen.ui().turboButton(side).setVisible(true);
    screen.ui().turboLives(side).setVisible(true);
}

void resumeLadder(Vyberpostav& screen) {
    auto& store = screen.game().pocitadlo().ui();
    store.Zivotyl.setCaption("3");
    store.Turbol.setCaption("1");
    vk::setCaptionValue(store.PCp, kResumeStep);
    vk::setCaptionValue(store.energiep, vk::captionValue(store.energiep) + kResumeEnergyBonus);
    screen.presunp();
    // The layout lets events run: the hand-over may have taken the screen away.
    if (screen.loaded()) screen.ui().Tvujkod.setVisible(true);
}

std::vector<Code> buildCodes() {
    std::vector<Code> codes{
        {kSecretFighterCode, [](Vyberpostav& s) { s.ui().portraits["rodi"].setVisible(true); }},
        {kLeftTurboCode, [](Vyberpostav& s) { showTurbo(s, Side::Left); }},
        {kRightTurboCode, [](Vyberpostav& s) { showTurbo(s, Side::Right); }},
        {kLadderResumeCode, resumeLadder},
        {kDeleteButtonCode, [](Vyberpostav& s) { s.ui().VYM.setVisible(true); }},
    };
    // Every reward code gives again what its stage gave.
    for (const StageReward& reward : stageRewards())
        for (std::size_t i = 0; i < reward.codes.size(); ++i)
            codes.push_back(
                {reward.codes[i], [&reward, count = static_cast<int>(i) + 1](Vyberpostav& s) {
                     revealStage(s.ui(), reward, count);
                 }});
    return codes;
}

const std::vector<Code>& codes() {
    static const std::vector<Code> table = buildCodes();
    return table;
}

}  // namespace

void Vyberpostav::Text1_Change() {
    const std::string text = ui().Text1.text();
    for (const Code& code : codes())
        if (code.text == text) {
            code.act(*this);
            break;
        }
    if (!loaded()) return;
    // Once the secret fighter of the right roster shows, its cover is gone for good.
    if (ui().portraits["rodi"].visible()) ui().pravejotaznik1[0].setVisible(false);
}

void Vyberpostav::Text1_Click() { ui().Timer3.setInterval(0); }

// Ticks 1, 2, 3, 2, 3, ...: the Czech prompt, then the English one in reversed colours.
void Vyberpostav::Timer3_Timer() {
    auto& box = ui().Text1;
    ++blinkCount;
    if (blinkCount == 2) {
        box.setText(kCzechCodePrompt);
        box.setBackColor(kBlinkBright);
        box.setForeColor(kBlinkDark);
    }
    if (blinkCount == 3) {
        box.setText(kEnglishCodePrompt);
        box.setBackColor(kBlinkDark);
        box.setForeColor(kBlinkBright);
        blinkCount = 1;
    }
}

}  // namespace vorkala
