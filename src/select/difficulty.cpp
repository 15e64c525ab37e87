// The computer toggles, which say which side the computer plays, and the six difficulty
// buttons, which set its energy, speed and the delay before the fight starts.
#include <array>

#include "fight/boj.h"
#include "fight/fighter_side.h"
#include "progress/pocitadlo.h"
#include "runtime/runtime.h"
#include "select/vyberpostav.h"
#include "shell/game.h"
#include "shell/pacing.h"

namespace vorkala {

struct ComputerToggle {
    vk::Control VyberpostavControls::*toggle;
    vk::Control VyberpostavControls::*state;
    // Easy, medium and hard, each held back once its stage counter reaches its maximum.
    struct Offer {
        vk::Control VyberpostavControls::*button;
        vk::Control PocitadloControls::*counter;
        double maximum;
    };
    std::array<Offer, 3> offers;
    vk::Control VyberpostavControls::*otherLives;
    vk::Control VyberpostavControls::*otherToggle;
    // The other side's human plays the computer for points.
    vk::Control PocitadloControls::*pointsFlag;
};

// A difficulty button sets the energy, timer and difficulty of its side's fighter.
struct DifficultyButton {
    vk::Control VyberpostavControls::*button;
    Side side;
    std::array<vk::Control VyberpostavControls::*, 3> hides;
    const char* energyValue;
    bool setsFightEnergy;  // otherwise the fight's energy stays
    int computerPeriod;
    int fightStartDelay;
    const char* difficultyValue;
    bool glideLetsEventsRun;
};

namespace {

using C = VyberpostavControls;
using S = PocitadloControls;

const ComputerToggle kLeftToggle{
    &C::Image2,
    &C::Text3,
    {{{&C::Image4, &S::LehkaL, 3}, {&C::Image5, &S::StredniL, 3}, {&C::Image6, &S::TezkaL, 6}}},
    &C::Picture2,
    &C::Image3,
    &S::HSP};
const ComputerToggle kRightToggle{
    &C::Image3,
    &C::Text2,
    {{{&C::Image7, &S::LehkaP, 3}, {&C::Image8, &S::StredniP, 3}, {&C::Image9, &S::TezkaP, 5}}},
    &C::Picture1,
    &C::Image2,
    &S::HSL};

// clang-format off
const DifficultyButton kLeftEasy   {&C::Image4, Side::Left,  {&C::Image2, &C::Image5, &C::Image6}, "50",  false, 500, 2500, "1", true};
const DifficultyButton kLeftMedium {&C::Image5, Side::Left,  {&C::Image2, &C::Image4, &C::Image6}, "50",  true,  50,  4500, "2", false};
const DifficultyButton kLeftHard   {&C::Image6, Side::Left,  {&C::Image2, &C::Image5, &C::Image4}, "100", true,  25,  6500, "3", false};
const DifficultyButton kRightEasy  {&C::Image7, Side::Right, {&C::Image3, &C::Image8, &C::Image9}, "50",  false, 500, 2500, "1", false};
const DifficultyButton kRightMedium{&C::Image8, Side::Right, {&C::Image3, &C::Image7, &C::Image9}, "50",  true,  50,  4500, "2", false};
const DifficultyButton kRightHard  {&C::Image9, Side::Right, {&C::Image3, &C::Image8, &C::Image7}, "100", true,  25,  6500, "3", false};
// clang-format on

constexpr int kGlideSteps = 100;
// A chosen button settles above where its side's picked portrait will stand.
constexpr float kButtonRise = 1000;
constexpr float kLeftButtonShift = 500;

const std::string kOn = "ON", kOff = "OFF";

}  // namespace

void Vyberpostav::clickSound() {
    ui().MMControl1.setCommand("close");
    ui().MMControl1.setCommand("Open");
    ui().MMControl1.setCommand("play");
}

void Vyberpostav::toggleComputer(const ComputerToggle& toggle) {
    clickSound();
    auto& c = ui();
    auto& store = game_.pocitadlo().ui();
    vk::Control& state = c.*toggle.state;
    state.setText(state.text() == kOff ? kOn : kOff);
    const bool on = state.text() == kOn;
    for (const auto& offer : toggle.offers)
        if (vk::captionValue(store.*offer.counter) != offer.maximum)
            (c.*offer.button).setVisible(on);
    (c.*toggle.otherLives).setVisible(on);
    (c.*toggle.otherToggle).setVisible(!on);
    (store.*toggle.pointsFlag).setCaption("1");
}

void Vyberpostav::chooseDifficulty(const DifficultyButton& button) {
    auto& c = ui();
    for (auto hidden : button.hides) (c.*hidden).setVisible(false);
    clickSound();
    auto& store = game_.pocitadlo().ui();
    const FighterSide& fighter = button.side == Side::Left ? kLeftFighter : kRightFighter;
    (store.*fighter.startEnergy).setCaption(button.energyValue);
    // The first of these touches loads the fight screen, hidden, when it is not loaded.
    if (button.setsFightEnergy)
        (game_.boj().ui().*fighter.energy).setCaption((store.*fighter.startEnergy).caption());
    (game_.boj().ui().*fighter.computerTimer).setInterval(button.computerPeriod);
    game_.boj().ui().Timer6.setInterval(button.fightStartDelay);
    vk::Control& chosen = c.*button.button;
    chosen.setEnabled(false);
    // The side's glide target is shifted for the time of the glide, so a pick made
    // meanwhile glides to the shifted point too.
    GlideTarget& target = button.side == Side::Left ? leftGlideTarget : rightGlideTarget;
    const float shiftLeft = button.side == Side::Left ? kLeftButtonShift : 0;
    target.left -= shiftLeft;
    target.top -= kButtonRise;
    // Should the hand-over unload the screen meanwhile, the glide stops there; the
    // difficulty is still written, as the fight it starts needs it.
    glide(chosen, target, kGlideSteps, button.glideLetsEventsRun, pacing::kGlideStep);
    target.left += shiftLeft;
    target.top += kButtonRise;
    (store.*fighter.computerDifficulty).setCaption(button.difficultyValue);
}

void Vyberpostav::Image2_Click() { toggleComputer(kLeftToggle); }
void Vyberpostav::Image3_Click() { toggleComputer(kRightToggle); }
void Vyberpostav::Image4_Click() { chooseDifficulty(kLeftEasy); }
void Vyberpostav::Image5_Click() { chooseDifficulty(kLeftMedium); }
void Vyberpostav::Image6_Click() { chooseDifficulty(kLeftHard); }
void Vyberpostav::Image7_Click() { chooseDifficulty(kRightEasy); }
void Vyberpostav::Image8_Click() { chooseDifficulty(kRightMedium); }
void Vyberpostav::Image9_Click() { chooseDifficulty(kRightHard); }

// Nothing calls these three.
void Vyberpostav::easyl() { chooseDifficulty(kLeftEasy); }
void Vyberpostav::midlel() { chooseDifficulty(kLeftMedium); }
void Vyberpostav::ObtiznostL() {
    const bool on = ui().Text3.text() == kOn;
    const double easyWins = vk::captionValue(game_.pocitadlo().ui().LehkaP);
    if (on && easyWins > 4) midlel();
    if (on && easyWins < 4) easyl();
}

}  // namespace vorkala
