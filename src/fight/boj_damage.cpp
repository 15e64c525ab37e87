// Damage and the energy bars: the victim loses its side's blow strength, twice from an
// attacker high in the air; the bar shrinks by its step and takes the colour its end
// showed before the blow. Timer12 keeps the copies of the energies that the time-out reads.
#include <algorithm>

#include "fight/boj.h"
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

// What tells the left fighter's damage from the right one's.
struct DamageRow {
    vk::Control BojControls::*energy;  // the victim's
    vk::Control BojControls::*copy;    // its copy for the time-out
    vk::Control PocitadloControls::*strength;
    vk::Control BojControls::*attacker;
    vk::Control PocitadloControls::*attackerGround;
    vk::Control BojControls::*bar;
    std::int16_t Boj::*barStep;
    float shrink;  // the way the bar's end moves: -1 left, +1 right
    float yellowBeyond, redBeyond;
};

namespace {
using B = BojControls;
using P = PocitadloControls;
// The two bars mirror each other about the middle of the screen.
constexpr DamageRow kLeftVictim{.energy = &B::ziv1,
                                .copy = &B::Label3,
                                .strength = &P::silauderul,
                                .attacker = &B::druhej,
                                .attackerGround = &P::VyskaP,
                                .bar = &B::Line1,
                                .barStep = &Boj::leftBarStep,
                                .shrink = -1,
                                .yellowBeyond = 2900,
                                .redBeyond = 1650};
constexpr DamageRow kRightVictim{.energy = &B::ziv2,
                                 .copy = &B::Label4,
                                 .strength = &P::silauderup,
                                 .attacker = &B::prvni,
                                 .attackerGround = &P::VyskaL,
                                 .bar = &B::Line2,
                                 .barStep = &Boj::rightBarStep,
                                 .shrink = +1,
                                 .yellowBeyond = 9100,
                                 .redBeyond = 10350};

bool beyond(const DamageRow& row, float x, float mark) {
    return row.shrink > 0 ? x > mark : x < mark;
}
}  // namespace

void Boj::zivoty1() { damage(kLeftVictim); }
void Boj::zivoty2() { damage(kRightVictim); }

// Nothing changes once the fight has been decided, so the loser's label keeps its "-25".
void Boj::damage(const DamageRow& row) {
    if (!bothStanding()) return;
    auto& c = ui();
    auto& store = game_.pocitadlo().ui();
    vk::Control& energy = c.*row.energy;
    vk::Control& bar = c.*row.bar;
    const bool high =
        (c.*row.attacker).top() < vk::captionValue(store.*row.attackerGround) - kHighAbove;
    const int blows = high ? 2 : 1;

    for (int i = 0; i < blows; ++i)
        vk::setCaptionValue(energy,
                            vk::captionValue(energy) - vk::captionValue(store.*row.strength));
    if (vk::captionValue(energy) < kLowestStanding) vk::setCaptionValue(energy, kLowestStanding);
    if (vk::captionValue(energy) < 0) bar.setVisible(false);

    if (beyond(row, bar.x1(), row.yellowBeyond)) bar.setBorderColor(fight_colours::kBarYellow);
    if (beyond(row, bar.x1(), row.redBeyond)) bar.setBorderColor(fight_colours::kRed);
    for (int i = 0; i < blows; ++i)
        bar.setX1(bar.x1() + row.shrink * static_cast<float>(this->*row.barStep));
}

void Boj::Timer12_Timer() {
    auto& c = ui();
    for (const DamageRow* row : {&kLeftVictim, &kRightVictim}) {
        if (beyond(*row, (c.*row->bar).x1(), row->redBeyond))
            (c.*row->copy).setForeColor(fight_colours::kRed);
        (c.*row->copy).setCaption((c.*row->energy).caption());
    }
}

}  // namespace vorkala
