// Round start and the 60-second countdown with its time-out decision.
#include "fight/boj.h"
#include "fight/fighter_side.h"
#include "progress/pocitadlo.h"
#include "runtime/values.h"
#include "shell/game.h"
#include "shell/module.h"

namespace vorkala {

namespace {
constexpr int kSecond = 1000;
constexpr std::int16_t kYellowBelow = 30, kRedBelow = 10;
}  // namespace

// The energies may have changed since the load; where they leave nothing to divide by
// (an energy of 0) or give a step beyond the 16-bit range, one blow takes the whole bar,
// so the fight goes on.
std::int16_t Boj::roundStartBarStep(const vk::Control& strength, const vk::Control& energy) const {
    try {
        return barStep(strength, energy);
    } catch (const vk::RuntimeError& error) {
        if (error.number() != vk::ErrorNumber::DivisionByZero &&
            error.number() != vk::ErrorNumber::Overflow)
            throw;
        return kWholeBar;
    }
}

void Boj::Timer6_Timer() {
    auto& c = ui();
    auto& store = game_.pocitadlo().ui();
    if (roundBannerUp == 1) c.Image3.setVisible(false);
    c.prvni.setEnabled(true);
    c.druhej.setEnabled(true);
    c.Timer14.setInterval(kSecond);
    for (const FighterSide* side : {&kLeftFighter, &kRightFighter})
        this->*side->barStep = roundStartBarStep(store.*side->lossPerBlow, c.*side->energy);
    c.Timer6.setEnabled(false);
}

void Boj::Timer14_Timer() {
    auto& c = ui();
    --secondsLeft;
    c.odpocet.setCaption(vk::textOf(static_cast<int>(secondsLeft)));
    if (secondsLeft < kYellowBelow) c.odpocet.setForeColor(fight_colours::kYellow);
    if (secondsLeft < kRedBelow) {
        c.odpocet.setForeColor(fight_colours::kRed);
        restartSound(c.MMControl19);
    }
    if (secondsLeft != 0) return;
    c.Timer14.setInterval(0);
    c.Timer14.setEnabled(false);
    c.odpocet.setForeColor(fight_colours::kDarkGrey);
    // Each test runs on its own, reading the energy copies afresh. A tie goes to the right
    // fighter, as the faces and the after-fight bookkeeping count it, so the right fighter
    // finishes the left one.
    auto left = [&] { return vk::captionValue(ui().Label3); };
    auto right = [&] { return vk::captionValue(ui().Label4); };
    if (left() < right()) vyhral();
    if (right() < left()) vyhra();
    if (left() == right()) vyhral();
    if (left() < 0) vyhral();
    if (right() < 0) vyhra();
    ui().Timer14.setInterval(0);
    ui().Timer14.setEnabled(false);
}

}  // namespace vorkala
