// The saved progress in the settings store: the first-run marker, the six stage counters
// and the five-row high-score table, all text in one section.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <utility>

#include "runtime/settings_format.h"

namespace vk {
class Control;
class Runtime;
}  // namespace vk

namespace vorkala {

struct PocitadloControls;

// The application title under which the settings are kept; also the message-box title.
inline constexpr const char* kAppTitle = "Vorkala";
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

// Every key the game keeps in its section, with the first-run marker: the settings file
// is checked against it as it is read.
vk::SettingsLayout savedProgressLayout();

// The high-score table as the selection screen shows it: a name box and a points label a
// row. Reaching a row loads the screen when it is not loaded.
class HighScoreTable {
  public:
    virtual vk::Control& nameBox(int row) = 0;
    virtual vk::Control& pointsLabel(int row) = 0;

  protected:
    ~HighScoreTable() = default;
};

// The stage counters of the match state store with their settings keys, in the order
// they are copied.
std::array<std::pair<vk::Control*, const char*>, 6> stageCounters(PocitadloControls& store);

// Read without a default: a missing key gives the empty text.
std::string readSetting(vk::Runtime& runtime, const std::string& key);
void saveSetting(vk::Runtime& runtime, const std::string& key, const std::string& value);
// Whether the key's saved value was damaged (not a text) and so reads as empty.
bool damagedSetting(vk::Runtime& runtime, const std::string& key);

// Loads the five names and then the five points, each checked on its own.
void loadHighScoreTable(vk::Runtime& runtime, HighScoreTable& table);
// The part of a name box's text that the box can show, as it is saved: a name typed
// beyond that would only make the settings file huge.
std::string shownName(const vk::Control& box);
// Saves the five names, each as its box can show it, and then the five points.
void saveHighScoreTable(vk::Runtime& runtime, HighScoreTable& table);
// Saves the six stage counters of the match state store as they stand.
void saveStageCounters(vk::Runtime& runtime, PocitadloControls& store);
// Deletes the whole section: the table, the stage counters and the first-run marker.
void deleteSavedProgress(vk::Runtime& runtime);

// A stage counter as a number. The counters arrive from the settings as text, so a key
// that is missing, emptied or damaged gives something that is not a number; the
// progression counts that as 0 instead of failing (the rewards then write "0" back).
std::optional<double> numberIn(const std::string& text);
double stageCount(const vk::Control& counter);

}  // namespace vorkala
