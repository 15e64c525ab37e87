#include "progress/saved_progress.h"

#include <cmath>

#include "runtime/control.h"
#include "runtime/runtime.h"
#include "select/vyberpostav.h"
#include "shell/game.h"
#include "shell/module.h"
#include "shell/pocitadlo.h"

namespace vorkala {

std::string highScoreNameKey(int row) {
    return "vyberpostav.meno(" + std::to_string(row) + ").text";
}

std::string highScorePointsKey(int row) { return "vyberpostav.skore(" + std::to_string(row) + ")"; }

std::array<std::pair<vk::Control*, const char*>, 6> stageCounters(PocitadloControls& store) {
    return {{
        {&store.LehkaL, "pocitadlo.LehkaL"},
        {&store.LehkaP, "pocitadlo.LehkaP"},
        {&store.StredniL, "pocitadlo.StredniL"},
        {&store.StredniP, "pocitadlo.StredniP"},
        {&store.TezkaL, "pocitadlo.TezkaL"},
        {&store.TezkaP, "pocitadlo.TezkaP"},
    }};
}

std::string readSetting(Game& game, const std::string& key) {
    return game.runtime().platform().settings.get(kAppTitle, kSettingsSection, key);
}

bool damagedSetting(Game& game, const std::string& key) {
    return game.runtime().platform().settings.damaged(kAppTitle, kSettingsSection, key);
}

void saveSetting(Game& game, const std::string& key, const std::string& value) {
    game.runtime().platform().settings.set(kAppTitle, kSettingsSection, key, value);
}

void saveHighScoreTable(Game& game) {
    for (int row = 0; row < kHighScoreRows; ++row)
        saveSetting(game, highScoreNameKey(row), game.vyberpostav().ui().meno[row].text());
    for (int row = 0; row < kHighScoreRows; ++row)
        saveSetting(game, highScorePointsKey(row), game.vyberpostav().ui().skore[row].caption());
}

void saveStageCounters(Game& game) {
    for (auto [label, key] : stageCounters(game.pocitadlo().ui()))
        saveSetting(game, key, label->caption());
}

void deleteSavedProgress(Game& game) {
    game.runtime().platform().settings.deleteSection(kAppTitle, kSettingsSection);
}

std::optional<double> numberIn(const std::string& text) {
    try {
        const double value = vk::toDouble(text);
        if (std::isfinite(value)) return value;
    } catch (const vk::RuntimeError&) {
    }
    return std::nullopt;
}

double stageCount(const vk::Control& counter) { return numberIn(counter.caption()).value_or(0); }

}  // namespace vorkala
