// Jumps, gravity and shadows. A jump request makes the rise timer lift the fighter 100
// twips a tick; the apex timer ends the rise above a fixed height; gravity brings every
// fighter without a request down 100 twips a tick until it passes its ground line. The
// shadows follow the fighters sideways, or the finishing sprites while those stand in.
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
constexpr float kApexTop = 2000;  // the same height for every fighter and ground line
constexpr int kJumpPose = 16;
}  // namespace

// The idle timer is off while the fighter moves up, so its frame does not replace the
// jump picture.
void Boj::rise(const FighterSide& side) {
    runtime().doEvents();
    if (this->*side.jumpRequest != 1) return;
    (ui().*side.idleTimer).setEnabled(false);
    runtime().doEvents();
    vk::Control& fighter = ui().*side.sprite;
    fighter.setPicture((game_.obr().ui().*side.poses)[kJumpPose].picture());
    fighter.setTop(fighter.top() - kAirStep);
    (ui().*side.idleTimer).setEnabled(true);
}

// The rise stays off from the apex until the fighter is back near its ground line.
void Boj::apex(const FighterSide& side) {
    auto& c = ui();
    const vk::Control& fighter = c.*side.sprite;
    if (fighter.top() < kApexTop) {
        this->*side.jumpRequest = 0;
        (c.*side.riseTimer).setEnabled(false);
    }
    const auto nearGround = static_cast<float>(
        vk::captionValue(game_.pocitadlo().ui().*side.groundLine) - kGroundMargin);
    if (fighter.top() > nearGround) (c.*side.riseTimer).setEnabled(true);
}

// Gravity does not wait for a jump: any fighter at or above its ground line sinks until
// it passes it, so the fall ends on the fighter's own 100-twip grid below the line.
void Boj::gravity(const FighterSide& side) {
    auto groundLine = [&] {
        return static_cast<float>(vk::captionValue(game_.pocitadlo().ui().*side.groundLine));
    };
    if ((ui().*side.sprite).top() <= groundLine() && this->*side.jumpRequest == 0) {
        runtime().doEvents();
        auto& c = ui();
        (c.*side.riseTimer).setEnabled(false);
        (c.*side.idleTimer).setEnabled(false);
        vk::Control& fighter = c.*side.sprite;
        fighter.setPicture((game_.obr().ui().*side.poses)[kJumpPose].picture());
        fighter.setTop(fighter.top() + kAirStep);
    }
    const auto nearGround = static_cast<float>(groundLine() - kGroundMargin);
    if ((ui().*side.sprite).top() > nearGround) {
        (ui().*side.riseTimer).setEnabled(true);
        (ui().*side.idleTimer).setEnabled(true);
    }
}

void Boj::Timer20_Timer() { rise(kLeftFighter); }
void Boj::Timer23_Timer() { rise(kRightFighter); }
void Boj::Timer4_Timer() { apex(kLeftFighter); }
void Boj::Timer13_Timer() { apex(kRightFighter); }
void Boj::Timer11_Timer() { gravity(kLeftFighter); }
void Boj::Timer22_Timer() { gravity(kRightFighter); }

// Before the round start and from the knock-out on the fighters are disabled and the
// finishing sprites stand in for them.
void Boj::Timer16_Timer() {
    auto& c = ui();
    c.stinl.setLeft(c.prvni.enabled() ? c.prvni.left() : c.Image1.left());
    c.stinp.setLeft(c.druhej.enabled() ? c.druhej.left() : c.Image2.left());
}

}  // namespace vorkala
