// Hit reactions: the victim's sound and pose, the throw by a kick from high in the air,
// the push-back of a kick, the zone count, the warning sounds as the energy runs low, the
// knock-out and the combo count. One routine, driven by the victim's side and the blow.
#include <array>
#include <limits>

#include "fight/boj.h"
#include "fight/fighter_side.h"
#include "fight/floor.h"
#include "progress/pocitadlo.h"
#include "runtime/runtime.h"
#include "runtime/values.h"
#include "shell/game.h"
#include "shell/obr.h"
#include "shell/pacing.h"

namespace vorkala {

namespace {
constexpr float kThrowEndTop = 4500;
constexpr int kThrowSteps = 50;
constexpr int kPushSteps = 4;
constexpr float kPushBack = 300;        // per step of a kick's push-back
constexpr double kKnockOutAbove = -24;  // knock-out window: below 0 and above this
constexpr float kLeftKnockedOut = 1, kRightKnockedOut = 10000;
constexpr int kHitByPunch = 12, kHitByKick = 19, kKnockedDown = 2;

struct Warning {
    double below;
    vk::SoundChannel BojControls::*channel;
};
}  // namespace

// What tells a hit on the left fighter from one on the right fighter.
struct VictimRow {
    const FighterSide& victim;
    float throwEndLeft;
    bool keepsLeftOnFloor;  // the left fighter's edge too, right after the push-back
    std::int16_t Boj::*finishRequest;
    std::array<Warning, 4> warnings;  // tested in this order; an empty row ends them
    void (Boj::*decide)();            // the finishing routine for this victim's loss
};

// What tells a kick from a punch.
struct ReactionRow {
    const VictimRow& side;
    int pose;
    bool kick;    // throws from high in the air and pushes the victim back
    bool bleeds;  // the drops fly
    void (Boj::*combo)();
};

namespace {
using B = BojControls;

constexpr VictimRow kLeft{.victim = kLeftFighter,
                          .throwEndLeft = 0,
                          .keepsLeftOnFloor = true,
                          .finishRequest = &Boj::finishLeftVictim,
                          .warnings = {{{7, &B::MMControl6},
                                        {41, &B::MMControl7},
                                        {25, &B::MMControl8},
                                        {31, &B::MMControl2}}},
                          .decide = &Boj::vyhral};
// The right victim's warnings borrow the hit and blow channels, the last the one its own
// hit has just restarted.
constexpr VictimRow kRight{
    .victim = kRightFighter,
    .throwEndLeft = 10000,
    .keepsLeftOnFloor = false,
    .finishRequest = &Boj::finishRightVictim,
    .warnings = {{{7, &B::MMControl3}, {41, &B::MMControl4}, {25, &B::MMControl5}}},
    .decide = &Boj::vyhra};

constexpr ReactionRow kLeftKicked{kLeft, kHitByKick, true, true, &Boj::odlet};
constexpr ReactionRow kLeftPunched{kLeft, kHitByPunch, false, false, &Boj::odskok};
constexpr ReactionRow kRightKicked{kRight, kHitByKick, true, false, &Boj::odlet};
constexpr ReactionRow kRightPunched{kRight, kHitByPunch, false, false, &Boj::odskok};

// Zones by the right fighter's place; a border counts in no zone.
struct Zone {
    float above, below;
    vk::Control ObrControls::*counter;
};
constexpr Zone kZones[] = {{8880, std::numeric_limits<float>::infinity(), &ObrControls::Label4},
                           {5880, 8880, &ObrControls::Label3},
                           {2880, 5880, &ObrControls::Label2},
                           {0, 2880, &ObrControls::Label1}};
}  // namespace

void Boj::krevprvnikop() { react(kLeftKicked); }
void Boj::krevprvni() { react(kLeftPunched); }
void Boj::krevdruhykop() { react(kRightKicked); }
void Boj::krevdruhy() { react(kRightPunched); }

// Other events run at the start and in the drops' frames, so a further blow can land in
// the middle of a reaction; the energies are read afresh after those points.
void Boj::react(const ReactionRow& reaction) {
    const VictimRow& row = reaction.side;
    const FighterSide& side = row.victim;
    const FighterSide& attacker = opponentOf(side);
    if (!bothStanding()) return;
    runtime().doEvents();
    auto& c = ui();
    restartSound(c.*side.hitSound);
    (c.*side.sprite).setPicture((game_.obr().ui().*side.poses)[reaction.pose].picture());
    if (reaction.kick) {
        const double attackerGround = vk::captionValue(game_.pocitadlo().ui().*attacker.groundLine);
        if ((c.*attacker.sprite).top() < attackerGround - kHighAbove) throwVictim(row);
    }
    if (reaction.bleeds) bleed();
    if (reaction.kick) {
        // Pushed back, away from the attacker.
        vk::Control& victim = ui().*side.sprite;
        for (int step = 0; step < kPushSteps; ++step)
            victim.setLeft(victim.left() - side.forward * kPushBack);
    }
    keepOnFloor(row.keepsLeftOnFloor);
    countZone();
    krv();
    cekal = 0;
    if (ui().hlaska.visible()) this->*row.finishRequest = 1;
    for (const Warning& warning : row.warnings)
        if (warning.channel && vk::captionValue(ui().*side.energy) < warning.below)
            (ui().*warning.channel).setCommand("play");
    knockOut(row);
    (this->*reaction.combo)();
    keepOnFloor(true);
}

// Straight across the floor to the victim's own edge, blocking, then down on the ground.
void Boj::throwVictim(const VictimRow& row) {
    auto& c = ui();
    const FighterSide& side = row.victim;
    vk::Control& victim = c.*side.sprite;
    c.Timer7.setEnabled(false);
    c.Timer8.setEnabled(false);
    victim.setPicture((game_.obr().ui().*side.poses)[kKnockedDown].picture());
    const double x0 = victim.left(), y0 = victim.top();
    for (int i = 1; i <= kThrowSteps; ++i) {
        const double t = static_cast<double>(i) / kThrowSteps;
        victim.move(static_cast<float>(x0 + (row.throwEndLeft - x0) * t),
                    static_cast<float>(y0 + (kThrowEndTop - y0) * t));
        runtime().pace(pacing::kThrowStep);
    }
    c.Timer7.setEnabled(true);
    c.Timer8.setEnabled(true);
    victim.setTop(static_cast<float>(vk::captionValue(game_.pocitadlo().ui().*side.groundLine)));
}

void Boj::keepOnFloor(bool leftFighterToo) {
    auto& c = ui();
    if (leftFighterToo && c.prvni.left() < kLeftEdge) c.prvni.setLeft(kLeftEdge);
    if (c.druhej.left() > kRightEdge) c.druhej.setLeft(kRightEdge);
}

// Every hit counts where the right fighter stands, whichever fighter was hit.
void Boj::countZone() {
    const float place = ui().druhej.left();
    for (const Zone& zone : kZones) {
        if (place <= zone.above || place >= zone.below) continue;
        vk::Control& counter = game_.obr().ui().*zone.counter;
        vk::setCaptionValue(counter, vk::captionValue(counter) + 1);
        return;
    }
}

// An energy that has just fallen below 0 knocks its fighter out, unless the fight was
// decided meanwhile: the countdown's time-out, come while this reaction let events run,
// has set the faces, and the after-fight bookkeeping must find the energies that set them.
void Boj::knockOut(const VictimRow& row) {
    auto& c = ui();
    const double energy = vk::captionValue(c.*row.victim.energy);
    if (!(energy < 0 && energy > kKnockOutAbove) || !bothStanding() || finishingDone()) return;
    c.prvni.setLeft(kLeftKnockedOut);
    c.druhej.setLeft(kRightKnockedOut);
    c.prvni.setEnabled(false);
    c.druhej.setEnabled(false);
    (this->*row.decide)();
    auto& after = ui();
    after.Image1.setEnabled(false);
    after.Image2.setEnabled(false);
    (after.*row.victim.energy).setCaption("-25");
    for (vk::Control* label : {&after.ziv1, &after.ziv2, &after.Label3, &after.Label4})
        label->setEnabled(false);
}

}  // namespace vorkala
