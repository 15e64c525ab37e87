#include "progress/saved_progress.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "progress/pocitadlo.h"
#include "progress/saved_numbers.h"
#include "runtime/control.h"
#include "runtime/runtime.h"
#include "runtime/text.h"

namespace vorkala {

std::string highScoreNameKey(int row) {
    return "vyberpostav.meno(" + std::to_string(row) + ").text";
}

std::string highScorePointsKey(int row) { return "vyberpostav.skore(" + std::to_string(row) + ")"; }

namespace {
// The stage counters' settings keys, in the order of stageCounters.
constexpr std::array<const char*, 6> kStageCounterKeys{
    "pocitadlo.LehkaL",   "pocitadlo.LehkaP", "pocitadlo.StredniL",
    "pocitadlo.StredniP", "pocitadlo.TezkaL", "pocitadlo.TezkaP",
};
}  // namespace

std::array<std::pair<vk::Control*, const char*>, 6> stageCounters(PocitadloControls& store) {
    const std::array<vk::Control*, 6> labels{&store.LehkaL,   &store.LehkaP, &store.StredniL,
                                             &store.StredniP, &store.TezkaL, &store.TezkaP};
    std::array<std::pair<vk::Control*, const char*>, 6> counters;
    for (std::size_t i = 0; i < labels.size(); ++i) counters[i] = {labels[i], kStageCounterKeys[i]};
    return counters;
}

vk::SettingsLayout savedProgressLayout() {
    vk::SettingsLayout layout{.app = kAppTitle,
                              .section = kSettingsSection,
                              .keys = {kMarkerKey},
                              .markerKey = kMarkerKey,
                              .markerValue = kSecondRunMarker};
    for (int row = 0; row < kHighScoreRows; ++row) {
        layout.keys.insert(highScoreNameKey(row));
        layout.keys.insert(highScorePointsKey(row));
    }
    layout.keys.insert(kStageCounterKeys.begin(), kStageCounterKeys.end());
    return layout;
}

std::string readSetting(vk::Runtime& runtime, const std::string& key) {
    return runtime.platform().settings.get(kAppTitle, kSettingsSection, key);
}

bool damagedSetting(vk::Runtime& runtime, const std::string& key) {
    return runtime.platform().settings.damaged(kAppTitle, kSettingsSection, key);
}

void saveSetting(vk::Runtime& runtime, const std::string& key, const std::string& value) {
    runtime.platform().settings.set(kAppTitle, kSettingsSection, key, value);
}

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

void loadHighScoreTable(vk::Runtime& runtime, HighScoreTable& table) {
    for (int row = 0; row < kHighScoreRows; ++row)
        table.nameBox(row).setText(savedTableName(runtime, row));
    for (int row = 0; row < kHighScoreRows; ++row)
        table.pointsLabel(row).setCaption(savedTablePoints(runtime, row));
}

std::string shownName(const vk::Control& box) {
    // A character is at least a pixel wide: the box never shows more characters than it
    // is pixels wide, one line of them.
    const auto most = static_cast<std::size_t>(std::max(box.width(), 0.0f) / vk::kTwipsPerPixel);
    const std::string& name = box.text();
    std::size_t end = 0;
    for (std::size_t characters = 0; end < name.size() && characters < most; ++characters) {
        ++end;
        while (end < name.size() && !vk::startsCharacter(name[end])) ++end;
    }
    return name.substr(0, end);
}

void saveHighScoreTable(vk::Runtime& runtime, HighScoreTable& table) {
    for (int row = 0; row < kHighScoreRows; ++row)
        saveSetting(runtime, highScoreNameKey(row), shownName(table.nameBox(row)));
    for (int row = 0; row < kHighScoreRows; ++row)
        saveSetting(runtime, highScorePointsKey(row), table.pointsLabel(row).caption());
}

void saveStageCounters(vk::Runtime& runtime, PocitadloControls& store) {
    for (auto [label, key] : stageCounters(store)) saveSetting(runtime, key, label->caption());
}

void deleteSavedProgress(vk::Runtime& runtime) {
    runtime.platform().settings.deleteSection(kAppTitle, kSettingsSection);
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
