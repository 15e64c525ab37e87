// The selection screen's ladder routines: the step's set-up and the tower's glides.
#include <cmath>

#include "fight/boj.h"
#include "progress/ladder.h"
#include "progress/pocitadlo.h"
#include "progress/saved_progress.h"
#include "runtime/runtime.h"
#include "select/vyberpostav.h"
#include "shell/game.h"
#include "shell/module.h"
#include "shell/pacing.h"

namespace vorkala {

namespace {

// Where a roster's ladder keeps its values.
struct LadderRoster {
    vk::Control PocitadloControls::*step;
    vk::Control PocitadloControls::*energy;
    vk::Control BojControls::*fightEnergy;
    vk::Control PocitadloControls::*otherSideStrength;
    vk::Control VyberpostavControls::*livesPicture;  // the computer side's, hidden
};
const LadderRoster kLeftLadder{&PocitadloControls::PCl, &PocitadloControls::energiel,
                               &BojControls::ziv1, &PocitadloControls::silauderup,
                               &VyberpostavControls::Picture1};
const LadderRoster kRightLadder{&PocitadloControls::PCp, &PocitadloControls::energiep,
                                &BojControls::ziv2, &PocitadloControls::silauderul,
                                &VyberpostavControls::Picture2};
const LadderRoster& ladderOf(Side roster) {
    return roster == Side::Left ? kLeftLadder : kRightLadder;
}

// A ladder takes the computer toggles, their state texts, the difficulty buttons and the
// turbo buttons off the screen.
void hideMatchSetUp(VyberpostavControls& c) {
    for (vk::Control* control :
         {&c.Image2, &c.Image3, &c.Text3, &c.Text2, &c.Image4, &c.Image5, &c.Image6, &c.Image7,
          &c.Image8, &c.Image9, &c.Image10, &c.Image11})
        control->setVisible(false);
}

}  // namespace

void Vyberpostav::presunl() {
    ui().Text3.setVisible(false);
    ui().Text2.setVisible(false);
    ui().Picture1.setVisible(false);
    zaplejl();
    layOutLadder(Side::Left);
}

void Vyberpostav::presunp() {
    ui().Text3.setVisible(false);
    ui().Text2.setVisible(false);
    ui().Picture2.setVisible(false);
    zaplejp();
    layOutLadder(Side::Right);
}

void Vyberpostav::zaplejl() { prepareLadder(Side::Left); }
void Vyberpostav::zaplejp() { prepareLadder(Side::Right); }

// The step's opponent can be picked; the beaten ones are struck off and, like the ones
// still to come, take no click.
void Vyberpostav::prepareLadder(Side side) {
    auto& c = ui();
    hideMatchSetUp(c);
    auto& store = game_.pocitadlo().ui();
    const LadderRoster& ladder = ladderOf(side);
    const int step = static_cast<int>(std::floor(stageCount(store.*ladder.step)));
    const auto& opponents = ladderOpponents(side);
    for (int rung = 1; rung <= kLadderSteps; ++rung) {
        vk::Control& portrait = c.portraits[opponents[static_cast<std::size_t>(rung - 1)]];
        if (rung < step) {
            portrait.setPicture(runtime().loadPicture(kStruckOffPicture));
            portrait.setVisible(true);
            portrait.setEnabled(false);
        } else if (rung == step) {
            // A secret fighter hidden until now steps out when its turn comes.
            portrait.setVisible(true);
            portrait.setEnabled(true);
        } else {
            portrait.setEnabled(false);
        }
    }
    if (const auto opponent = ladderOpponentValues(step)) {
        vk::setCaptionValue(store.*ladder.energy, opponent->energy);
        // Naming the fight screen's energy loads that screen, hidden, when it is not loaded.
        (game_.boj().ui().*ladder.fightEnergy).setCaption((store.*ladder.energy).caption());
        vk::setCaptionValue(store.*ladder.otherSideStrength, opponent->strength);
    }
    if (step == kVideoStep) {
        c.video.setFileName(programFile(runtime(), kLadderVideo));
        c.video.setDisplayArea(&c.Picture3);
        c.Picture3.setVisible(true);
        c.video.setCommand("Open");
        c.video.setCommand("Play");
    }
}

// Each picture glides to its rung in turn through the right glide target, letting events
// run at every step: picks and previews made meanwhile glide to the same target.
void Vyberpostav::layOutLadder(Side side) {
    auto& c = ui();
    const auto& opponents = ladderOpponents(side);
    for (int rung = 1; rung <= kTowerRungs; ++rung) {
        vk::Control& picture = rung <= kLadderSteps
                                   ? c.portraits[opponents[static_cast<std::size_t>(rung - 1)]]
                                   : c.covers(side)[0];
        const TowerPlace place = towerPlace(side, rung);
        rightGlideTarget = {place.left, place.top};
        // Should the screen be unloaded meanwhile, none of its old controls is touched.
        if (!glide(picture, rightGlideTarget, kLadderGlideSteps, true, pacing::kLadderGlideStep))
            break;
    }
    rightGlideTarget = {6000, 2520};
}

}  // namespace vorkala
