// The saved progress in the settings store: the first-run marker, the six stage counters
// and the five-row high-score table, all text in one section.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <utility>

namespace vk {
class Control;
}

namespace vorkala {

class Game;
struct PocitadloControls;

inline constexpr const char* kSettingsSection = "hraci";
inline constexpr const char* kMarkerKey = "Text1.Text";
// The marker's value once the first run is done (compared exactly, letter case counting).
inline constexpr const char* kSecondRunMarker = "podruhe";

inline constexpr int kHighScoreRows = 5;
std::string highScoreNameKey(int row);    // "vyberpostav.meno(<row>).text"
std::string highScorePointsKey(int row);  // "vyberpostav.skore(<row>)"
// The row of the table that a human's points reach (5 to 9 the last row, 100 and more the
// first), or -1 below 5.
int highScoreRow(double points);

// The stage counters of the match state store with their settings keys, in the order
// they are copied.
std::array<std::pair<vk::Control*, const char*>, 6> stageCounters(PocitadloControls& store);

// Read without a default: a missing key gives the empty text.
std::string readSetting(Game& game, const std::string& key);
void saveSetting(Game& game, const std::string& key, const std::string& value);
// Whether the key's saved value was damaged (not a text) and so reads as empty.
bool damagedSetting(Game& game, const std::string& key);

// Saves the selection screen's five names and then its five points.
void saveHighScoreTable(Game& game);
// Saves the six stage counters of the match state store as they stand.
void saveStageCounters(Game& game);
// Deletes the whole section: the table, the stage counters and the first-run marker.
void deleteSavedProgress(Game& game);

// A stage counter as a number. The counters arrive from the settings as text, so a key
// that is missing, emptied or damaged gives something that is not a number; the
// progression counts that as 0 instead of failing (the rewards then write "0" back).
std::optional<double> numberIn(const std::string& text);
double stageCount(const vk::Control& counter);

}  // namespace vorkala
