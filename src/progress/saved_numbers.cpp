#include "progress/saved_numbers.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <limits>

#include "progress/saved_progress.h"

namespace vorkala {

namespace {
constexpr std::array<TableRow, kHighScoreRows> kFirstRunTable{{
    {"100", "Zakrel"},
    {"50", "UFO"},
    {"20", "Superman"},
    {"10", "Batman"},
    {"5", "Looser"},
}};
}  // namespace

const TableRow& firstRunRow(int row) { return kFirstRunTable.at(static_cast<std::size_t>(row)); }

bool numberWithin(std::string_view text, double lowest, double highest, bool whole) {
    const auto value = numberIn(std::string(text));
    if (!value || *value < lowest || *value > highest) return false;
    return !whole || *value == std::floor(*value);
}

std::string savedCounter(vk::Runtime& runtime, const std::string& key,
                         const std::string& fallback) {
    std::string text = readSetting(runtime, key);
    return numberWithin(text, 0, std::numeric_limits<std::int16_t>::max(), true) ? text : fallback;
}

std::string savedPoints(vk::Runtime& runtime, const std::string& key, const std::string& fallback) {
    std::string text = readSetting(runtime, key);
    // A row never saved (or deleted with the progress) stays empty, as the table shows it.
    if (text.empty() && !damagedSetting(runtime, key)) return text;
    return numberWithin(text, std::numeric_limits<std::int32_t>::min(),
                        std::numeric_limits<std::int32_t>::max(), true)
               ? text
               : fallback;
}

}  // namespace vorkala

namespace vorkala {

std::string savedTableName(vk::Runtime& runtime, int row) {
    // Any text is a name, the empty text of a row never saved included; only a damaged
    // entry gives the first-run name.
    const std::string key = highScoreNameKey(row);
    return damagedSetting(runtime, key) ? firstRunRow(row).name : readSetting(runtime, key);
}

std::string savedTablePoints(vk::Runtime& runtime, int row) {
    return savedPoints(runtime, highScorePointsKey(row), firstRunRow(row).points);
}

}  // namespace vorkala
