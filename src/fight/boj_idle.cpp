// Idle poses: one slow timer puts both fighters into their stance, two others into the
// second frame, so a standing fighter alternates between two pictures; below 23 points of
// energy it shows its weak stance instead, and at exactly 23 nothing changes.
#include "fight/boj.h"
#include "fight/fighter_side.h"
#include "runtime/runtime.h"
#include "runtime/values.h"
#include "shell/game.h"
#include "shell/obr.h"

namespace vorkala {

namespace {
constexpr double kWeakBelow = 23;
constexpr int kStance = 0, kWeakStance = 1, kSecondFrame = 18;
}  // namespace

// A jumping fighter keeps its jump picture.
void Boj::idleStance(const FighterSide& side) {
    if (this->*side.jumpRequest == 1) return;
    auto& poses = game_.obr().ui().*side.poses;
    if (vk::captionValue(ui().*side.energy) > kWeakBelow)
        (ui().*side.sprite).setPicture(poses[kStance].picture());
    if (vk::captionValue(ui().*side.energy) < kWeakBelow)
        (ui().*side.sprite).setPicture(poses[kWeakStance].picture());
}

void Boj::idleFrame(const FighterSide& side) {
    runtime().doEvents();
    auto& poses = game_.obr().ui().*side.poses;
    if (vk::captionValue(ui().*side.energy) > kWeakBelow)
        (ui().*side.sprite).setPicture(poses[kSecondFrame].picture());
    if (vk::captionValue(ui().*side.energy) < kWeakBelow)
        (ui().*side.sprite).setPicture(poses[kWeakStance].picture());
}

void Boj::Timer15_Timer() {
    idleStance(kRightFighter);
    idleStance(kLeftFighter);
}

void Boj::pohybbezcomp() { idleFrame(kLeftFighter); }
void Boj::pohbezcomp() { idleFrame(kRightFighter); }

// Both idle timers ask the right computer's timer; its period is never below 1, so
// both always run.
void Boj::Timer7_Timer() {
    if (ui().Timer5.interval() >= 1) pohbezcomp();
}
void Boj::Timer8_Timer() {
    if (ui().Timer5.interval() >= 1) pohybbezcomp();
}

}  // namespace vorkala
