// The settings file's text: one value a line, each line a JSON list of the application
// title, the section, the key, the value and a check value of those four,
//   [
//   ["Vorkala", "hraci", "pocitadlo.LehkaL", "3", "5d1c9a0e"],
//   ...
//   ]
// so that the whole file is JSON and any damaged byte costs at most the value on its line.
// Files of the earlier layout, {"<app>": {"<section>": {"<key>": "<value>"}}}, still read.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <tuple>

namespace vk {

using SettingsDocument =
    std::map<std::string, std::map<std::string, std::map<std::string, std::string>>>;
using SettingsKey = std::tuple<std::string, std::string, std::string>;

// What a game keeps in one section: the keys it knows, and the key whose value marks a
// finished first run. A key it does not know there is a damaged one, and so is a missing
// marker beside other values (the file surely had its first run).
struct SettingsLayout {
    std::string app, section;
    std::set<std::string> keys;
    std::string markerKey, markerValue;
};

// What could be read from a settings file's bytes.
struct ReadSettings {
    SettingsDocument values;
    // Keys whose value was not a text (a number, a list, an object).
    std::set<SettingsKey> wrongTypes;
    // Empty when every byte was understood; otherwise what was wrong, for the player: the
    // first few damaged values by name and how many more there were.
    std::string damage;
};

// Every value that can be read: bytes that are not UTF-8 become U+FFFD and the rest of
// their text is kept; a value of another type is left out (and named); a line that cannot
// be read costs only itself. With `layout`, its section is checked as the layout says:
// unknown keys are left out and a missing marker is put back, both named as damage. With
// `budget` set, values are kept only while their total size stays within it. The cost in
// time and memory is a small multiple of the size of `bytes`, whatever they hold.
ReadSettings readSettings(std::string_view bytes, const SettingsLayout* layout = nullptr,
                          std::size_t budget = SIZE_MAX);

// The text of a file holding these values, one a line with its check value.
std::string renderSettings(const SettingsDocument& values);

}  // namespace vk
