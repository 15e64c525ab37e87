// Numbers read back from the settings file, checked before the game reads them as
// numbers: a value that was edited by hand or damaged gives the first-run default for its
// key instead of a run-time error later in the game. A stage counter never saved reads
// as 0; a high-score row never saved stays empty.
#pragma once

#include <string>
#include <string_view>

namespace vk {
class Runtime;
}  // namespace vk

namespace vorkala {

// Whether the text is a number from `lowest` to `highest`, and whole when `whole` is set.
bool numberWithin(std::string_view text, double lowest, double highest, bool whole);

// The high-score table of a first run, best first.
struct TableRow {
    const char* points;
    const char* name;
};
const TableRow& firstRunRow(int row);

// A stage counter: a whole number a 16-bit counter holds and that is not negative.
std::string savedCounter(vk::Runtime& runtime, const std::string& key, const std::string& fallback);
// A high-score row's points: a whole number a 32-bit value holds, or empty when none was
// saved.
std::string savedPoints(vk::Runtime& runtime, const std::string& key, const std::string& fallback);
// A row of the saved high-score table, each value checked on its own.
std::string savedTableName(vk::Runtime& runtime, int row);
std::string savedTablePoints(vk::Runtime& runtime, int row);

}  // namespace vorkala
