// Idle poses: one slow timer puts both fighters into their stance, two others into the
// second frame, so a standing fighter alternates between two pictures; below 23 points of
// energy it shows its weak stance instead, and at exactly 23 nothing changes.
#include "fight/boj.h"
#include "runtime/runtime.h"
#include "runtime/values.h"
#include "shell/game.h"
#include "shell/obr.h"

namespace vorkala {

namespace {
constexpr double kWeakBelow = 23;
constexpr int kStance = 0, kWeakStance = 1, kSecondFrame = 18;
}  // namespace

struct IdleSide {
    vk::Control BojControls::*fighter;
    vk::Control BojControls::*energy;
    vk::ControlArray<> ObrControls::*poses;
    int Boj::*jumpRequest;
};

namespace {
constexpr IdleSide kLeftIdle{&BojControls::prvni, &BojControls::ziv1, &ObrControls::levej,
                             &Boj::skokl};
constexpr IdleSide kRightIdle{&BojControls::druhej, &BojControls::ziv2, &ObrControls::pravej,
                              &Boj::skokp};
}  // namespace

// A jumping fighter keeps its jump picture.
void Boj::idleStance(const IdleSide& side) {
    if (this->*side.jumpRequest == 1) return;
    auto& poses = game_.obr().ui().*side.poses;
    if (vk::captionValue(ui().*side.energy) > kWeakBelow)
        (ui().*side.fighter).setPicture(poses[kStance].picture());
    if (vk::captionValue(ui().*side.energy) < kWeakBelow)
        (ui().*side.fighter).setPicture(poses[kWeakStance].picture());
}

void Boj::idleFrame(const IdleSide& side) {
    runtime().doEvents();
    auto& poses = game_.obr().ui().*side.poses;
    if (vk::captionValue(ui().*side.energy) > kWeakBelow)
        (ui().*side.fighter).setPicture(poses[kSecondFrame].picture());
    if (vk::captionValue(ui().*side.energy) < kWeakBelow)
        (ui().*side.fighter).setPicture(poses[kWeakStance].picture());
}

void Boj::Timer15_Timer() {
    idleStance(kRightIdle);
    idleStance(kLeftIdle);
}

void Boj::pohybbezcomp() { idleFrame(kLeftIdle); }
void Boj::pohbezcomp() { idleFrame(kRightIdle); }

// Both idle timers ask the right computer's timer; its period is never below 1, so
// both always run.
void Boj::Timer7_Timer() {
    if (ui().Timer5.interval() >= 1) pohbezcomp();
}
void Boj::Timer8_Timer() {
    if (ui().Timer5.interval() >= 1) pohybbezcomp();
}

}  // namespace vorkala
