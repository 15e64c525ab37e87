// The pick and the preview of a fighter: one sequence for every fighter of both rosters,
// with what differs between the sides in one table and the few steps single fighters add
// in another.
#include <array>

#include "fight/boj.h"
#include "fight/drzky.h"
#include "fight/fighter_side.h"
#include "progress/pocitadlo.h"
#include "runtime/runtime.h"
#include "select/vyberpostav.h"
#include "shell/game.h"
#include "shell/module.h"
#include "shell/obr.h"
#include "shell/pacing.h"

namespace vorkala {

// Everything in which a left pick differs from a right one, besides the fighter's side.
struct PickSide {
    const FighterSide& fighter;
    vk::SoundChannel VyberpostavControls::*voice;
    vk::Control VyberpostavControls::*preview;
    GlideTarget Vyberpostav::*glideTarget;
    bool turboTestAfterGlide;
    std::array<int, 13> poseOrder;
};

// Steps that single fighters add to the common sequence.
struct PickExtras {
    bool stanceFirst = false;         // loads the stance poses 0 and 1 first
    bool glideLetsEventsRun = false;  // other events run between the glide's steps
    bool strongStart = false;         // 100 energy, 10 per blow for the other fighter
    int otherComputerTick = 0;        // when above 0, the other side's computer tick
    bool locksLeftRoster = false;     // the left roster and its preview freeze
};

namespace {

constexpr int kGlideSteps = 100;
constexpr std::array<int, 13> kLeftPoseOrder{15, 5, 8, 11, 12, 2, 0, 1, 16, 17, 18, 19, 20};
constexpr std::array<int, 13> kStanceFirstPoseOrder{0, 1, 15, 5, 8, 11, 12, 2, 16, 17, 18, 19, 20};

const PickSide kLeftSide{.fighter = kLeftFighter,
                         .voice = &VyberpostavControls::levej,
                         .preview = &VyberpostavControls::hrac,
                         .glideTarget = &Vyberpostav::leftGlideTarget,
                         .turboTestAfterGlide = true,
                         .poseOrder = kLeftPoseOrder};
const PickSide kRightSide{.fighter = kRightFighter,
                          .voice = &VyberpostavControls::pravej,
                          .preview = &VyberpostavControls::srac,
                          .glideTarget = &Vyberpostav::rightGlideTarget,
                          .turboTestAfterGlide = false,
                          .poseOrder = kStanceFirstPoseOrder};

const PickSide& sideOf(Side side) { return side == Side::Left ? kLeftSide : kRightSide; }

struct FighterExtras {
    const char* code;
    PickExtras extras;
};
const FighterExtras kExtras[] = {
    {"tk", {.strongStart = true}},
    {"rodi", {.strongStart = true}},
    {"oxa", {.otherComputerTick = 10}},
    {"pz2", {.stanceFirst = true, .glideLetsEventsRun = true, .locksLeftRoster = true}},
};

const PickExtras& extrasOf(const Fighter& fighter) {
    static const PickExtras none{};
    for (const FighterExtras& row : kExtras)
        if (std::string_view(row.code) == fighter.code) return row.extras;
    return none;
}

// The left fighters that pz2's pick disables, in this order.
constexpr const char* kLockedByPz2[] = {"tk", "pan",    "krt", "rak", "xeo",    "dulo",
                                        "fe", "Durvak", "bh",  "zk",  "Gradun", "Kuvo"};
const std::string kPz2Stance = "\\data\\obr\\2pzopost1.old";

}  // namespace

bool Vyberpostav::glide(vk::Control& item, const GlideTarget& target, int steps, bool letEventsRun,
                        vk::Micros stepTime) {
    const vk::ControlSet* controls = controlsIfLoaded();
    const double startLeft = item.left(), startTop = item.top();
    // The target is read at every step: a difficulty button may shift it meanwhile.
    for (glideStep = 1; glideStep <= steps; ++glideStep) {
        item.move(static_cast<float>(startLeft + (target.left - startLeft) * glideStep / steps),
                  static_cast<float>(startTop + (target.top - startTop) * glideStep / steps));
        runtime().pace(stepTime);
        if (letEventsRun) {
            runtime().doEvents();
            if (controlsIfLoaded() != controls) return false;
        }
    }
    return true;
}

void Vyberpostav::pick(const Fighter& fighter) {
    const PickSide& side = sideOf(fighter.side);
    const PickExtras& extras = extrasOf(fighter);
    // Only these controls are touched from here on: should the hand-over unload the
    // screen during a glide that lets events run, the pick must not load it again.
    auto& c = ui();
    auto& voice = c.*side.voice;
    voice.setFileName(programFile(runtime(), voiceFile(fighter)));
    voice.setCommand("Open");
    voice.setCommand("play");
    if (!side.turboTestAfterGlide) turboTick(fighter, side, extras);
    // Once the fight has taken over, the rest of the pick is dropped: the fight goes on
    // with the two fighters that were counted.
    if (!glide(c.portraits.of(fighter), this->*side.glideTarget, kGlideSteps,
               extras.glideLetsEventsRun, pacing::kGlideStep))
        return;
    if (side.turboTestAfterGlide) turboTick(fighter, side, extras);
    if (extras.otherComputerTick > 0) {
        const FighterSide& other = opponentOf(side.fighter);
        if (vk::captionValue(game_.pocitadlo().ui().*other.computerTurbo) == 1)
            (game_.boj().ui().*other.computerTimer).setInterval(extras.otherComputerTick);
    }
    vk::setCaptionValue(c.Label2, vk::captionValue(c.Label2) + 1);
    loadPictures(fighter, side, extras);
    applyTopRule(fighter, game_.boj().ui().*side.fighter.sprite);
    applyTopRule(fighter, game_.boj().ui().*side.fighter.finishSprite);
    writeNames(fighter, side);
    if (extras.locksLeftRoster) lockLeftRoster(c);
}

// The computer's tick in turbo play, then a strong fighter's start, whatever the flag.
void Vyberpostav::turboTick(const Fighter& fighter, const PickSide& side,
                            const PickExtras& extras) {
    const FighterSide& own = side.fighter;
    if (fighter.tick && vk::captionValue(game_.pocitadlo().ui().*own.computerTurbo) == 1)
        (game_.boj().ui().*own.computerTimer).setInterval(*fighter.tick);
    if (!extras.strongStart) return;
    auto& store = game_.pocitadlo().ui();
    (store.*own.startEnergy).setCaption("100");
    // Naming the fight screen's energy loads that screen first when it is not loaded.
    auto& fight = game_.boj().ui();
    (fight.*own.energy).setCaption((store.*own.startEnergy).caption());
    (store.*opponentOf(own).lossPerBlow).setCaption("10");
}

void Vyberpostav::loadPictures(const Fighter& fighter, const PickSide& side,
                               const PickExtras& extras) {
    auto& store = game_.obr().ui();
    const FighterSide& own = side.fighter;
    for (int index : extras.stanceFirst ? kStanceFirstPoseOrder : side.poseOrder)
        (store.*own.poses)[index].setPicture(runtime().loadPicture(poseFile(fighter, index)));
    (store.*own.winFace).setPicture(runtime().loadPicture(winFaceFile(fighter)));
    (store.*own.loseFace).setPicture(runtime().loadPicture(loseFaceFile(fighter)));
    // The later pick's background is the fight's, whichever its side.
    game_.boj().ui().background = runtime().loadPicture(fighter.background);
    runtime().markChanged();
}

void Vyberpostav::applyTopRule(const Fighter& fighter, vk::Control& sprite) {
    switch (fighter.topRule) {
        case TopRule::None:
            return;
        case TopRule::Absolute:
            sprite.setTop(fighter.topValue);
            return;
        case TopRule::Relative:
            sprite.setTop(sprite.top() + fighter.topValue);
            return;
    }
}

void Vyberpostav::writeNames(const Fighter& fighter, const PickSide& side) {
    (game_.boj().ui().*side.fighter.name).setCaption(fighter.displayName);
    (game_.drzky().ui().*side.fighter.afterFightName).setCaption(fighter.displayName);
}

// After pz2's pick its stance stays in the preview and no left fighter takes a click or
// a mouse move until the next load of the screen.
void Vyberpostav::lockLeftRoster(VyberpostavControls& c) {
    c.portraits["pz2"].setEnabled(false);
    showPreview(c.hrac, kPz2Stance);
    c.Timer4.setEnabled(false);
    c.hrac.setVisible(true);
    for (const char* code : kLockedByPz2) c.portraits[code].setEnabled(false);
}

void Vyberpostav::preview(const Fighter& fighter) {
    vk::Control& image = ui().*sideOf(fighter.side).preview;
    if (image.visible()) return;
    showPreview(image, previewFile(fighter));
    image.setVisible(true);
}

// A preview is not stretched: it takes the size of its picture.
void Vyberpostav::showPreview(vk::Control& image, const std::string& file) {
    vk::PictureRef picture = runtime().loadPicture(file);
    image.setWidth(static_cast<float>(picture->width() * vk::kTwipsPerPixel));
    image.setHeight(static_cast<float>(picture->height() * vk::kTwipsPerPixel));
    image.setPicture(std::move(picture));
}

}  // namespace vorkala
