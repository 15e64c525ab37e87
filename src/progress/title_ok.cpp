// The title screen's two OK buttons: load the saved progress, or on the first run write
// its defaults, then go on to the selection screen.
#include "progress/saved_numbers.h"
#include "progress/saved_progress.h"
#include "select/vyberpostav.h"
#include "shell/game.h"
#include "shell/pocitadlo.h"
#include "shell/uvodni.h"

namespace vorkala {

// A saved value that is missing, damaged or out of range gives its first-run default.
void Uvodni::Image1_Click() {
    for (auto [label, key] : stageCounters(game_.pocitadlo().ui()))
        label->setCaption(savedCounter(game_, key, "0"));
    // The first write loads the selection screen, whose load routine sees the counters.
    game_.vyberpostav().loadHighScoreTable();
    leaveForSelection();
}

void Uvodni::Image5_Click() {
    for (auto [label, key] : stageCounters(game_.pocitadlo().ui())) label->setCaption("0");
    saveStageCounters(game_);
    ui().Text1.setText(kSecondRunMarker);
    saveSetting(game_, kMarkerKey, ui().Text1.text());
    for (int row = 0; row < kHighScoreRows; ++row)
        game_.vyberpostav().ui().skore[row].setCaption(firstRunRow(row).points);
    for (int row = 0; row < kHighScoreRows; ++row)
        game_.vyberpostav().ui().meno[row].setText(firstRunRow(row).name);
    saveHighScoreTable(game_);
    ui().Image5.setVisible(false);
    leaveForSelection();
}

}  // namespace vorkala
