// Damage and the energy bars: the victim loses its side's blow strength, twice from an
// attacker high in the air; the bar shrinks by its step and takes the colour its end
// showed before the blow. Timer12 keeps the copies of the energies that the time-out reads.
#include <algorithm>

#include "fight/boj.h"
#include "fight/fighter_side.h"
#include "fight/floor.h"
#include "progress/pocitadlo.h"
#include "runtime/values.h"
#include "shell/game.h"

namespace vorkala {

namespace {
// The lowest energy a blow can leave while the fight is undecided: the knock-out (which
// writes -25) is then always what decides it, however strong the blow.
constexpr double kLowestStanding = -20;
}  // namespace

// What tells the left fighter's damage from the right one's: the victim and where its
// bar turns yellow and red. The bars mirror each other about the middle of the screen.
struct DamageRow {
    const FighterSide& victim;
    float yellowBeyond, redBeyond;
};

namespace {
constexpr DamageRow kLeftVictim{kLeftFighter, 2900, 1650};
constexpr DamageRow kRightVictim{kRightFighter, 9100, 10350};

// A bar's end moves towards its fighter's own edge.
float shrinkWay(const DamageRow& row) { return -row.victim.forward; }
}  // namespace

void Boj::zivoty1() { damage(kLeftVictim); }
void Boj::zivoty2() { damage(kRightVictim); }

// Nothing changes once the fight has been decided, so the loser's label keeps its "-25".
void Boj::damage(const DamageRow& row) {
    if (!bothStanding()) return;
    auto& c = ui();
    auto& store = game_.pocitadlo().ui();
    const FighterSide& victim = row.victim;
    const FighterSide& attacker = opponentOf(victim);
    vk::Control& energy = c.*victim.energy;
    vk::Control& bar = c.*victim.bar;
    const bool high =
        (c.*attacker.sprite).top() < vk::captionValue(store.*attacker.groundLine) - kHighAbove;
    const int blows = high ? 2 : 1;
    const float shrink = shrinkWay(row);

    for (int i = 0; i < blows; ++i)
        vk::setCaptionValue(energy,
                            vk::captionValue(energy) - vk::captionValue(store.*victim.lossPerBlow));
    if (vk::captionValue(energy) < kLowestStanding) vk::setCaptionValue(energy, kLowestStanding);
    if (vk::captionValue(energy) < 0) bar.setVisible(false);

    if (beyond(bar.x1(), row.yellowBeyond, shrink)) bar.setBorderColor(fight_colours::kBarYellow);
    if (beyond(bar.x1(), row.redBeyond, shrink)) bar.setBorderColor(fight_colours::kRed);
    for (int i = 0; i < blows; ++i)
        bar.setX1(bar.x1() + shrink * static_cast<float>(this->*victim.barStep));
}

void Boj::Timer12_Timer() {
    auto& c = ui();
    for (const DamageRow* row : {&kLeftVictim, &kRightVictim}) {
        vk::Control& copy = c.*row->victim.energyCopy;
        if (beyond((c.*row->victim.bar).x1(), row->redBeyond, shrinkWay(*row)))
            copy.setForeColor(fight_colours::kRed);
        copy.setCaption((c.*row->victim.energy).caption());
    }
}

}  // namespace vorkala
