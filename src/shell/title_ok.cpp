// The title screen's two OK buttons: load the saved progress, or on the first run write
// its defaults, then go on to the selection screen.
#include "progress/pocitadlo.h"
#include "progress/saved_numbers.h"
#include "progress/saved_progress.h"
#include "runtime/control.h"
#include "shell/game.h"
#include "shell/uvodni.h"

namespace vorkala {

// A saved value that is missing, damaged or out of range gives its first-run default.
void Uvodni::Image1_Click() {
    for (auto [label, key] : stageCounters(game_.pocitadlo().ui()))
        label->setCaption(savedCounter(runtime(), key, "0"));
    // The first write loads the selection screen, whose load routine sees the counters.
    loadHighScoreTable(runtime(), game_.highScoreTable());
    leaveForSelection();
}

void Uvodni::Image5_Click() {
    for (auto [label, key] : stageCounters(game_.pocitadlo().ui())) label->setCaption("0");
    saveStageCounters(runtime(), game_.pocitadlo().ui());
    ui().Text1.setText(kSecondRunMarker);
    saveSetting(runtime(), kMarkerKey, ui().Text1.text());
    HighScoreTable& table = game_.highScoreTable();
    for (int row = 0; row < kHighScoreRows; ++row)
        table.pointsLabel(row).setCaption(firstRunRow(row).points);
    for (int row = 0; row < kHighScoreRows; ++row)
        table.nameBox(row).setText(firstRunRow(row).name);
    saveHighScoreTable(runtime(), table);
    ui().Image5.setVisible(false);
    leaveForSelection();
}

}  // namespace vorkala
