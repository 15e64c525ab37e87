// The high-score row of the name entry, and the exit and deletion of the saved progress.
#include <array>

#include "progress/saved_progress.h"
#include "runtime/runtime.h"
#include "select/vyberpostav.h"
#include "shell/game.h"
#include "shell/module.h"
#include "shell/pocitadlo.h"

namespace vorkala {

namespace {

// The lowest points of each row of the table, best row first.
struct PointBand {
    double from;
    int row;
};
constexpr std::array<PointBand, kHighScoreRows> kBands{
    {{100, 0}, {50, 1}, {20, 2}, {10, 3}, {5, 4}}};

}  // namespace

// The row whose band holds the points, or -1 below the last band.
int highScoreRow(double points) {
    for (const PointBand& band : kBands)
        if (points >= band.from) return band.row;
    return -1;
}

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
    saveStageCounters(game_);
    saveHighScoreTable(game_);
    RestoreDisplayMode(game_);
    runtime().endProgram();
}

void Vyberpostav::VYM_Click() {
    deleteSavedProgress(game_);
    ui().VYM.setVisible(false);
}

}  // namespace vorkala
