// Walking and dashing: a step forward or back per call, keeping the distance to the
// opponent and the floor's edges, with the walking frames on the ground; and the dash
// back of ten steps, which lets other events run before each of them.
#include "fight/boj.h"
#include "fight/fighter_side.h"
#include "fight/floor.h"
#include "progress/pocitadlo.h"
#include "runtime/runtime.h"
#include "runtime/values.h"
#include "shell/game.h"
#include "shell/obr.h"

namespace vorkala {

namespace {
constexpr int kStance = 0, kDashPose = 17, kWalkFrame = 18;
constexpr int kDashSteps = 10;
}  // namespace

// Strides count towards the opponent: a step forward has a positive one.
struct StepRow {
    const FighterSide& side;
    float stride;
    bool eventsFirst;
    // The closest the fighter may stand to the opponent on its way forward; 0 for none.
    float distance;
    bool opensLeftGate;
};

namespace {
constexpr float kForward = 250, kBack = -350;
constexpr float kDashStride = 250;  // backwards

constexpr StepRow kVpravo{kLeftFighter, kForward, false, 1600, true};
constexpr StepRow kVlevo{kLeftFighter, kBack, false, 0, false};
constexpr StepRow kVl{kRightFighter, kForward, true, 1650, true};
constexpr StepRow kVp{kRightFighter, kBack, false, 0, true};
}  // namespace

void Boj::vpravo() { step(kVpravo); }
void Boj::vlevo() { step(kVlevo); }
void Boj::vl() { step(kVl); }
void Boj::vp() { step(kVp); }
void Boj::utekl() { dash(kLeftFighter); }
void Boj::utek() { dash(kRightFighter); }

bool Boj::onGround(const vk::Control& fighter, const vk::Control& groundLine) {
    const auto lowest = static_cast<float>(vk::captionValue(groundLine) - kGroundMargin);
    return fighter.top() >= lowest;
}

// The edge is tested before the step, so a step back can end one stride beyond it; the
// distance is kept before and after, so a fighter standing too close steps backwards.
void Boj::step(const StepRow& row) {
    if (row.eventsFirst) runtime().doEvents();
    auto& c = ui();
    const FighterSide& side = row.side;
    vk::Control& fighter = c.*side.sprite;
    const vk::Control& opponent = c.*opponentOf(side).sprite;
    if (onGround(fighter, game_.pocitadlo().ui().*side.groundLine)) {
        auto& poses = game_.obr().ui().*side.poses;
        const bool inWalkFrame = fighter.picture() == poses[kWalkFrame].picture();
        fighter.setPicture(poses[inWalkFrame ? kStance : kWalkFrame].picture());
    }
    const float way = side.forward * row.stride;  // across the screen
    auto keepDistance = [&] {
        if (row.distance == 0) return;
        const float closest = opponent.left() - side.forward * row.distance;
        if (beyond(fighter.left(), closest, side.forward)) fighter.setLeft(closest);
    };
    keepDistance();
    fighter.setLeft(keptOnFloor(fighter.left(), way));
    fighter.setLeft(fighter.left() + way);
    keepDistance();
    if (row.opensLeftGate) cekal = 0;
}

// Both dashes count on `kroky`, read afresh on every pass: a dash started while another
// waits makes its own ten steps, and the waiting one then ends after its current step.
void Boj::dash(const FighterSide& side) {
    const float way = -side.forward * kDashStride;
    if (!onGround(ui().*side.sprite, game_.pocitadlo().ui().*side.groundLine)) return;
    (ui().*side.sprite).setPicture((game_.obr().ui().*side.poses)[kDashPose].picture());
    kroky = 0;
    do {
        runtime().doEvents();
        vk::Control& fighter = ui().*side.sprite;
        fighter.setLeft(fighter.left() + way);
        fighter.setLeft(keptOnFloor(fighter.left(), way));
        ++kroky;
    } while (kroky <= kDashSteps - 1);
}

}  // namespace vorkala
