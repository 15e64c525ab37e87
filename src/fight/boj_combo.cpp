// Combos: landed kicks and punches are counted over both fighters; every 7th kick and
// every 11th punch shows the combo picture for two seconds and pushes the fighters apart.
#include "fight/boj.h"
#include "fight/floor.h"
#include "runtime/runtime.h"
#include "shell/pacing.h"

namespace vorkala {

namespace {
constexpr float kMiddle = 5000;  // the picture goes to the side away from the left fighter
constexpr float kPictureRight = 8000, kPictureLeft = 200;
constexpr int kShownFor = 2000;
constexpr float kLastStep = 10, kStepDecrease = 10;
}  // namespace

struct ComboRow {
    std::int16_t Boj::*counter;
    int comboAt;
    float firstStep;  // the push shrinks by 10 twips a step down to 10
};

namespace {
constexpr ComboRow kKicks{&Boj::kickCounter, 7, 200};      // 2100 twips each
constexpr ComboRow kPunches{&Boj::punchCounter, 11, 150};  // 1200 twips each
}  // namespace

void Boj::odlet() { comboPush(kKicks); }
void Boj::odskok() { comboPush(kPunches); }

// Blocking: nothing else runs while the fighters are pushed apart.
void Boj::comboPush(const ComboRow& combo) {
    auto& counter = this->*combo.counter;
    ++counter;
    if (counter != combo.comboAt) return;
    auto& c = ui();
    // A left fighter exactly in the middle leaves the picture where it was.
    if (c.prvni.left() < kMiddle) {
        c.combo.setLeft(kPictureRight);
        c.combo.setVisible(true);
    }
    if (c.prvni.left() > kMiddle) {
        c.combo.setLeft(kPictureLeft);
        c.combo.setVisible(true);
    }
    c.Timer19.setInterval(kShownFor);
    for (float step = combo.firstStep; step >= kLastStep; step -= kStepDecrease) {
        c.prvni.setLeft(c.prvni.left() - step);
        c.druhej.setLeft(c.druhej.left() + step);
        if (c.druhej.left() > kRightEdge) c.druhej.setLeft(kRightEdge);
        if (c.prvni.left() < kLeftEdge) c.prvni.setLeft(kLeftEdge);
        runtime().pace(pacing::kPushApartStep);
    }
    counter = 0;
}

void Boj::Timer19_Timer() {
    ui().combo.setVisible(false);
    ui().Timer19.setInterval(0);
}

}  // namespace vorkala
