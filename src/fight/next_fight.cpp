// The after-fight screen's next-fight button: the bookkeeping of the fight just ended
// (stage counters, points, the turbo ladder's step, lives and energy) behind the loading
// screen, then the selection screen rebuilt from the stores.
#include <array>

#include "fight/boj.h"
#include "fight/drzky.h"
#include "progress/pocitadlo.h"
#include "progress/saved_progress.h"
#include "runtime/screen.h"
#include "shell/game.h"
#include "shell/module.h"
#include "shell/nacitani.h"

namespace vorkala {

namespace {

using S = PocitadloControls;

// A human on one side and the computer on the other, by the human's side.
struct HumanSide {
    vk::Control BojControls::*energy;
    vk::Control S::*computerDifficulty;
    std::array<vk::Control S::*, 3> stageCounters;  // easy, medium, hard
    vk::Control S::*playsForPoints;
    vk::Control S::*points;
    std::array<vk::Control S::*, 3> pointTotals;  // easy, medium, hard
    vk::Control S::*turbo;
    vk::Control S::*lives;
    vk::Control S::*ladderStep;  // of the computer's side
    vk::Control S::*startEnergy;
};

const HumanSide kLeftHuman{&BojControls::ziv1,
                           &S::ObtiznostP,
                           {&S::LehkaP, &S::StredniP, &S::TezkaP},
                           &S::HSL,
                           &S::bodyL,
                           {&S::bodylehkaL, &S::bodystredniL, &S::bodytezkaL},
                           &S::Turbol,
                           &S::Zivotyl,
                           &S::PCp,
                           &S::energiel};
const HumanSide kRightHuman{&BojControls::ziv2,
                            &S::ObtiznostL,
                            {&S::LehkaL, &S::StredniL, &S::TezkaL},
                            &S::HSP,
                            &S::bodyP,
                            {&S::bodylehkaP, &S::bodystredniP, &S::bodytezkaP},
                            &S::Turbop,
                            &S::Zivotyp,
                            &S::PCl,
                            &S::energiep};

constexpr std::array<double, 3> kPointsByDifficulty{1, 3, 5};
constexpr double kLastLadderStep = 13;
// A fight cannot start at no energy: a winner who ends below this carries this much.
constexpr double kLeastCarriedEnergy = 1;

void add(vk::Control& label, double amount) {
    vk::setCaptionValue(label, stageCount(label) + amount);
}

class Bookkeeping {
  public:
    Bookkeeping(Game& game, Drzky& screen)
        : store_(game.pocitadlo().ui()), fight_(game.boj().ui()), screen_(screen) {}

    void run() {
        // The higher energy wins; a tie goes to the right fighter, as the faces show it.
        const bool leftWon = vk::captionValue(fight_.ziv1) > vk::captionValue(fight_.ziv2);
        screen_.AdvanceLoadingBar();
        countWinOverComputer(kLeftHuman, leftWon);
        countWinOverComputer(kRightHuman, !leftWon);
        moveLadder(kLeftHuman, leftWon);
        moveLadder(kRightHuman, !leftWon);
    }

  private:
    void countWinOverComputer(const HumanSide& human, bool won) {
        const double difficulty = vk::captionValue(store_.*human.computerDifficulty);
        screen_.AdvanceLoadingBar();
        if (!won || (difficulty != 1 && difficulty != 2 && difficulty != 3)) return;
        const auto stage = static_cast<std::size_t>(difficulty) - 1;
        add(store_.*human.stageCounters[stage], 1);
        screen_.AdvanceLoadingBar();
        if (vk::captionValue(store_.*human.playsForPoints) != 1) return;
        add(store_.*human.points, kPointsByDifficulty[stage]);
        screen_.AdvanceLoadingBar();
        add(store_.*human.pointTotals[stage], kPointsByDifficulty[stage]);
        screen_.AdvanceLoadingBar();
    }

    void moveLadder(const HumanSide& human, bool won) {
        screen_.AdvanceLoadingBar();
        if (vk::captionValue(store_.*human.turbo) != 1) return;
        if (!won) {
            add(store_.*human.lives, -1);
            screen_.AdvanceLoadingBar();
            (store_.*human.startEnergy).setCaption("50");
            screen_.AdvanceLoadingBar();
            return;
        }
        const double beaten = vk::captionValue(store_.*human.ladderStep);
        add(store_.*human.ladderStep, 1);
        screen_.AdvanceLoadingBar();
        const double left = vk::captionValue(fight_.*human.energy);
        vk::setCaptionValue(store_.*human.startEnergy,
                            left < kLeastCarriedEnergy ? kLeastCarriedEnergy : left);
        screen_.AdvanceLoadingBar();
        if (beaten >= kLastLadderStep) {
            (store_.*human.turbo).setCaption("0");
            screen_.AdvanceLoadingBar();
        }
    }

    PocitadloControls& store_;
    BojControls& fight_;
    Drzky& screen_;
};

}  // namespace

void Drzky::Image1_Click() {
    game_.nacitani().show();
    Bookkeeping(game_, *this).run();
    AdvanceLoadingBar();
    replay(ui().MMControl1);
    AdvanceLoadingBar();
    auto& store = game_.pocitadlo().ui();
    store.ObtiznostL.setCaption("0");
    AdvanceLoadingBar();
    store.ObtiznostP.setCaption("0");
    AdvanceLoadingBar();
    game_.selectionScreen().unload();
    AdvanceLoadingBar();
    game_.boj().unload();
    game_.nacitani().ui().lista.setWidth(10120);
    unload();
    game_.selectionScreen().show();
    game_.nacitani().unload();
}

}  // namespace vorkala
