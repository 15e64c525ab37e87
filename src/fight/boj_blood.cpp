// Blood: the seven drops that fly from a kicked left fighter, and the floor stains that
// grow in each zone as the hits are counted there.
#include "fight/boj.h"
#include "runtime/runtime.h"
#include "runtime/values.h"
#include "shell/game.h"
#include "shell/obr.h"
#include "shell/pacing.h"

namespace vorkala {

namespace {

constexpr float kDropsBelowTop = 500;
constexpr int kDropFrames = 50;

// Twips per frame, up and to the left: away from the right fighter who kicked.
struct DropFlight {
    float top, left;
};
constexpr DropFlight kDrops[] = {{-20, -20}, {-10, -30}, {-10, -40}, {-20, -50},
                                 {-50, -10}, {-60, -60}, {-70, -80}};

constexpr int kHitsPerStage = 3;

}  // namespace

// All drops start from one point under the victim and spread; other events run after
// every frame.
void Boj::bleed() {
    {
        auto& c = ui();
        for (int k = 0; k < 7; ++k) {
            c.Shape1[k].setTop(c.prvni.top() + kDropsBelowTop);
            c.Shape1[k].setLeft(c.prvni.left());
        }
        for (int k = 0; k < 7; ++k) c.Shape1[k].setVisible(true);
    }
    for (int dropFrame = 0; dropFrame < kDropFrames; ++dropFrame) {
        auto& c = ui();
        for (int k = 0; k < 7; ++k)
            c.Shape1[k].move(c.Shape1[k].left() + kDrops[k].left,
                             c.Shape1[k].top() + kDrops[k].top);
        runtime().pace(pacing::kBloodFrame);
        runtime().doEvents();
    }
    auto& c = ui();
    for (int k = 0; k < 7; ++k) c.Shape1[k].setVisible(false);
}

// A zone shows stage k of the stain once its count reaches 3 (k + 1); every zone is
// looked at on every call.
void Boj::krv() {
    auto& store = game_.obr().ui();
    vk::Control* counters[] = {&store.Label1, &store.Label2, &store.Label3, &store.Label4};
    for (int zone = 0; zone < 4; ++zone)
        for (int stage = 0; stage < kStainStages; ++stage)
            if (vk::captionValue(*counters[zone]) == kHitsPerStage * (stage + 1))
                ui().krev[zone].setPicture(store.vzorek[stage].picture());
}

}  // namespace vorkala
