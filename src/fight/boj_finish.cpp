// The end of a fight: the knock-out picture, the 5000-frame finishing sequence in which
// the winner finishes the loser, the faces on the after-fight screen and its timer.
#include "fight/boj.h"
#include "fight/drzky.h"
#include "runtime/runtime.h"
#include "runtime/values.h"
#include "shell/game.h"
#include "shell/obr.h"
#include "shell/pacing.h"

namespace vorkala {

namespace {

constexpr double kDecidedBelow = -20;  // an energy below this: the fight was decided before
constexpr int kFrames = 5000;
constexpr int kAfterFightDelay = 4000;
constexpr float kLeftParking = 1, kRightParking = 10000;
constexpr float kFinisherStart = 9000, kVictimGap = 300;

// Poses of the picture store used by the sequence.
constexpr int kHighKick = 8, kHitByKick = 19, kKnockedDown = 2, kVictory = 20;
constexpr int kLastHitFrame = 2000;  // from this frame on the victim lies on the floor

// How far the victim rises (negative) or falls per frame after its first climb; the windows
// exclude both ends.
float victimLift(int frame) {
    if (frame > 500 && frame < 1000) return -1;
    if (frame > 1000 && frame < 1500) return 1;
    if (frame > 1500 && frame < 2000) return 2;
    if (frame > 2000 && frame < 3000) return -1;
    if (frame > 3000 && frame < 4000) return 1;
    return 0;
}

// The finisher's kick: up and forward first, then down and forward.
struct KickMove {
    bool moves;
    float rise;  // -1 up, +1 down
};
KickMove finisherMove(int frame) {
    if (frame < 400) return {true, -1};
    if (frame > 400 && frame < 800) return {true, 1};
    return {false, 0};
}

}  // namespace

bool Boj::bothStanding() {
    auto& c = ui();
    return vk::captionValue(c.ziv1) >= kDecidedBelow && vk::captionValue(c.ziv2) >= kDecidedBelow;
}

// A blow lands only while the fight is open. A knock-out or the countdown's time-out
// closes it: the faces are set then, and the after-fight bookkeeping must find the
// energies that set them. A blow that takes an energy below 0 closes it too: it earns its
// fighter a knock-out, which that blow's own reaction delivers, and no other blow of
// either fighter may land before, however many the reaction's event points let in.
bool Boj::fightOpen() {
    auto& c = ui();
    return !finishingDone() && vk::captionValue(c.ziv1) >= 0 && vk::captionValue(c.ziv2) >= 0;
}

// Stops both computer players and the countdown and takes the fighters off the floor.
void Boj::stopFight(vk::Control& hiddenFirst, vk::Control& hiddenSecond) {
    auto& c = ui();
    c.Timer5.setEnabled(false);
    c.Timer1.setEnabled(false);
    cekal = 1;
    cekap = 1;
    c.hlaska.setVisible(true);
    c.Timer14.setInterval(0);
    c.Timer14.setEnabled(false);
    roundBannerUp = 0;
    hiddenFirst.setVisible(false);
    hiddenFirst.setEnabled(false);
    hiddenSecond.setVisible(false);
    hiddenSecond.setEnabled(false);
    c.prvni.setLeft(kLeftParking);
    c.druhej.setLeft(kRightParking);
    c.prvni.setEnabled(false);
    c.druhej.setEnabled(false);
}

// Each fight has one finishing sequence: once it has run (a time-out that a knock-out
// follows, or the countdown's later tests), stopping the fight again does nothing.
void Boj::vyhra() {
    if (!bothStanding() || finishingDone()) return;
    stopFight(ui().prvni, ui().druhej);
    doraz();
}

void Boj::vyhral() {
    if (!bothStanding() || finishingDone()) return;
    stopFight(ui().druhej, ui().prvni);
    dorazit();
}

void Boj::parkFighters(float rightLeft) {
    auto& c = ui();
    c.prvni.setLeft(kLeftParking);
    c.druhej.setLeft(rightLeft);
    c.prvni.setEnabled(false);
    c.druhej.setEnabled(false);
}

// The right fighter finishes the left one.
void Boj::dorazit() {
    auto& c = ui();
    auto& store = game_.obr().ui();
    if (bothStanding()) {
        parkFighters(kRightParking);
        c.Image2.setPicture(store.pravej[kHighKick].picture());
        c.Image2.setLeft(kFinisherStart);
        c.Image1.setLeft(c.Image2.left() - kVictimGap);
        for (frame = 1; frame <= kFrames; ++frame) {
            c.stinl.setLeft(c.Image1.left());
            c.stinp.setLeft(c.Image2.left());
            if (frame < 500) c.Image1.setTop(c.Image1.top() - 2);
            if (const KickMove kick = finisherMove(frame); kick.moves) {
                c.Image2.move(c.Image2.left() - 1, c.Image2.top() + kick.rise);
                c.stinp.setLeft(c.Image2.left());
            }
            c.Image1.setLeft(c.Image1.left() - 1);
            c.Image1.setTop(c.Image1.top() + victimLift(frame));
            const int pose = frame < kLastHitFrame ? kHitByKick : kKnockedDown;
            c.Image1.setPicture(store.levej[pose].picture());
            runtime().pace(pacing::kFinishingFrame);
        }
        c.Image1.setPicture(store.levej[kKnockedDown].picture());
        c.Image2.setPicture(store.pravej[kVictory].picture());
        c.Timer5.setEnabled(false);
        c.Timer1.setEnabled(false);
        parkFighters(kRightParking);
        c.MMControl1.setCommand("play");
        cekal = 1;
        cekap = 1;
        c.Image2.setPicture(store.pravej[kVictory].picture());
    }
    showFaces();
    armAfterFight();
}

// The left fighter finishes the right one.
void Boj::doraz() {
    auto& c = ui();
    auto& store = game_.obr().ui();
    if (bothStanding()) {
        parkFighters(kRightParking);
        c.Image1.setPicture(store.levej[kHighKick].picture());
        c.prvni.setLeft(kLeftParking);
        c.stinl.setLeft(c.Image1.left());
        c.stinp.setLeft(c.Image2.left());
        for (frame = 1; frame <= kFrames; ++frame) {
            c.Image2.setLeft(c.Image1.left() + static_cast<float>(frame));
            c.stinp.setLeft(c.Image2.left());
            if (frame < 500) c.Image2.setTop(c.Image2.top() - 2);
            if (const KickMove kick = finisherMove(frame); kick.moves) {
                c.Image1.move(c.Image1.left() + 1, c.Image1.top() + kick.rise);
                c.stinl.setLeft(c.Image1.left());
            }
            c.Image2.setTop(c.Image2.top() + victimLift(frame));
            const int pose = frame < kLastHitFrame ? kHitByKick : kKnockedDown;
            c.Image2.setPicture(store.pravej[pose].picture());
            runtime().pace(pacing::kFinishingFrame);
        }
        c.Image2.setPicture(store.pravej[kKnockedDown].picture());
        c.Image1.setPicture(store.levej[kVictory].picture());
        c.Timer5.setEnabled(false);
        c.Timer1.setEnabled(false);
        // The right fighter goes further off this time.
        parkFighters(100000);
        c.MMControl1.setCommand("play");
        cekal = 1;
        cekap = 1;
    }
    showFaces();
    armAfterFight();
}

// The higher energy, compared as numbers, wins; a tie goes to the right fighter.
void Boj::showFaces() {
    auto& c = ui();
    auto& store = game_.obr().ui();
    const bool leftWon = vk::captionValue(c.ziv1) > vk::captionValue(c.ziv2);
    auto& faces = game_.drzky().ui();
    faces.levej.setPicture((leftWon ? store.levejwin : store.levejout).picture());
    faces.pravej.setPicture((leftWon ? store.pravejout : store.pravejwin).picture());
}

void Boj::armAfterFight() {
    ui().Timer3.setInterval(kAfterFightDelay);
    ui().pe.setCaption("1");
}

bool Boj::finishingDone() { return vk::captionValue(ui().pe) == 1; }

// A hit that lands while the knock-out picture shows asks for a finishing sequence. The
// fight has had its sequence once the after-fight screen is armed, and gets only one.
void Boj::Timer2_Timer() {
    if (finishRightVictim == 1 && !finishingDone()) doraz();
    if (finishLeftVictim == 1 && !finishingDone()) dorazit();
}

void Boj::Timer3_Timer() {
    if (vk::captionValue(ui().pe) == 1) game_.drzky().show();
}

}  // namespace vorkala
