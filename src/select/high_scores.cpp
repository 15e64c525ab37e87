// The high-score row of the name entry, and the exit and deletion of the saved progress.
#include "progress/pocitadlo.h"
#include "progress/saved_progress.h"
#include "runtime/runtime.h"
#include "select/vyberpostav.h"
#include "shell/game.h"
#include "shell/module.h"

namespace vorkala {

// The name typed so far goes into the row that the human's points reach, left human first.
void Vyberpostav::Timer6_Timer() {
    auto& store = game_.pocitadlo().ui();
    auto& c = ui();
    for (vk::Control* points : {&store.bodyL, &store.bodyP}) {
        const double value = vk::captionValue(*points);
        const int row = highScoreRow(value);
        if (row < 0) continue;
        c.meno[row].setText(c.Text1.text());
        vk::setCaptionValue(c.skore[row], value);
    }
}

void Vyberpostav::Image14_Click() {
    saveStageCounters(runtime(), game_.pocitadlo().ui());
    saveHighScoreTable(runtime(), *this);
    RestoreDisplayMode(game_);
    runtime().endProgram();
}

void Vyberpostav::VYM_Click() {
    deleteSavedProgress(runtime());
    ui().VYM.setVisible(false);
}

}  // namespace vorkala
