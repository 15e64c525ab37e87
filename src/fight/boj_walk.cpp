// Walking and dashing: a step forward or back per call, keeping the distance to the
// opponent and the floor's edges, with the walking frames on the ground; and the dash
// back of ten steps, which lets other events run before each of them.
#include "fight/boj.h"
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

// The edge a step or a dash keeps: a place beyond it is put back onto it.
struct Edge {
    float at;
    bool onRight;
    float keep(float left) const { return (onRight ? left > at : left < at) ? at : left; }
};

struct StepRow {
    vk::Control BojControls::*fighter;
    vk::Control BojControls::*opponent;
    vk::Control PocitadloControls::*ground;
    vk::ControlArray<> ObrControls::*poses;
    float stride;
    bool eventsFirst;
    // The closest the fighter may stand to the opponent on its way forward; 0 for none.
    float distance;
    Edge edge;
    bool opensLeftGate;
};

struct DashRow {
    vk::Control BojControls::*fighter;
    vk::Control PocitadloControls::*ground;
    vk::ControlArray<> ObrControls::*poses;
    float stride;
    Edge edge;
};

namespace {
using B = BojControls;
using P = PocitadloControls;

constexpr StepRow kVpravo{&B::prvni, &B::druhej, &P::VyskaL, &ObrControls::levej,
                          +250,      false,      1600,       {kRightEdge, true},
                          true};
constexpr StepRow kVlevo{&B::prvni, &B::druhej, &P::VyskaL, &ObrControls::levej,
                         -350,      false,      0,          {kLeftEdge, false},
                         false};
constexpr StepRow kVl{&B::druhej, &B::prvni,          &P::VyskaP, &ObrControls::pravej, -250, true,
                      1650,       {kLeftEdge, false}, true};
constexpr StepRow kVp{&B::druhej, &B::prvni,          &P::VyskaP, &ObrControls::pravej, +350, false,
                      0,          {kRightEdge, true}, true};

constexpr DashRow kUtekl{&B::prvni, &P::VyskaL, &ObrControls::levej, -250, {kLeftEdge, false}};
constexpr DashRow kUtek{&B::druhej, &P::VyskaP, &ObrControls::pravej, +250, {kRightEdge, true}};
}  // namespace

void Boj::vpravo() { step(kVpravo); }
void Boj::vlevo() { step(kVlevo); }
void Boj::vl() { step(kVl); }
void Boj::vp() { step(kVp); }
void Boj::utekl() { dash(kUtekl); }
void Boj::utek() { dash(kUtek); }

bool Boj::onGround(const vk::Control& fighter, const vk::Control& groundLine) {
    const auto lowest = static_cast<float>(vk::captionValue(groundLine) - kGroundMargin);
    return fighter.top() >= lowest;
}

// The edge is tested before the step, so a step back can end one stride beyond it; the
// distance is kept before and after, so a fighter standing too close steps backwards.
void Boj::step(const StepRow& row) {
    if (row.eventsFirst) runtime().doEvents();
    auto& c = ui();
    vk::Control& fighter = c.*row.fighter;
    const vk::Control& opponent = c.*row.opponent;
    if (onGround(fighter, game_.pocitadlo().ui().*row.ground)) {
        auto& poses = game_.obr().ui().*row.poses;
        const bool inWalkFrame = fighter.picture() == poses[kWalkFrame].picture();
        fighter.setPicture(poses[inWalkFrame ? kStance : kWalkFrame].picture());
    }
    // Forward is towards the opponent: the left fighter's forward is to the right.
    auto keepDistance = [&] {
        if (row.distance == 0) return;
        if (row.stride > 0 && opponent.left() - row.distance < fighter.left())
            fighter.setLeft(opponent.left() - row.distance);
        if (row.stride < 0 && opponent.left() + row.distance > fighter.left())
            fighter.setLeft(opponent.left() + row.distance);
    };
    keepDistance();
    fighter.setLeft(row.edge.keep(fighter.left()));
    fighter.setLeft(fighter.left() + row.stride);
    keepDistance();
    if (row.opensLeftGate) cekal = 0;
}

// Both dashes count on `kroky`, read afresh on every pass: a dash started while another
// waits makes its own ten steps, and the waiting one then ends after its current step.
void Boj::dash(const DashRow& row) {
    if (!onGround(ui().*row.fighter, game_.pocitadlo().ui().*row.ground)) return;
    (ui().*row.fighter).setPicture((game_.obr().ui().*row.poses)[kDashPose].picture());
    kroky = 0;
    do {
        runtime().doEvents();
        vk::Control& fighter = ui().*row.fighter;
        fighter.setLeft(fighter.left() + row.stride);
        fighter.setLeft(row.edge.keep(fighter.left()));
        ++kroky;
    } while (kroky <= kDashSteps - 1);
}

}  // namespace vorkala
