// Saved progress (stage counters, the high-score table, the first-run marker) kept in one
// JSON file per user: {"<app>": {"<section>": {"<key>": "<value>"}}}, all values text.
#pragma once

#include <cstddef>
#include <filesystem>
#include <map>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "runtime/platform.h"
#include "runtime/settings_file.h"

namespace vk {

using SettingsDocument =
    std::map<std::string, std::map<std::string, std::map<std::string, std::string>>>;
using SettingsKey = std::tuple<std::string, std::string, std::string>;

// What could be read from a settings file's bytes.
struct ReadSettings {
    SettingsDocument values;
    // Keys whose value was not a text (a number, a list, an object).
    std::set<SettingsKey> wrongTypes;
    // Empty when every byte was understood; otherwise what was wrong, for the player.
    std::string damage;
};

// Every text value three objects deep that can be read: bytes that are not UTF-8 become
// U+FFFD and the rest of their text is kept; a value of another type is left out (and
// named); where the bytes stop making sense at all, the values before that point are kept.
// With `budget` set, values are kept only while their total size stays within it.
ReadSettings readSettings(std::string_view bytes, std::size_t budget = SIZE_MAX);

class JsonSettingsStore : public SettingsStore {
  public:
    // A settings file beyond this size counts as damaged: only its beginning is read.
    static constexpr std::size_t kMaxFileBytes = 1 << 20;
    // Damaged copies kept beside the file, the newest ones.
    static constexpr int kKeptCopies = 5;

    // Loads the file when it exists. What cannot be read costs only itself: the file as it
    // was is kept as the next "<name>.corrupt-<n>", the file is rewritten with every value
    // that could be read, and the player is told once (takeNotice, standard error). A file
    // that cannot be read at all is never overwritten. Nothing here ever throws.
    explicit JsonSettingsStore(std::filesystem::path file);
    // Saves what is still unsaved.
    ~JsonSettingsStore() override;

    std::string get(const std::string& app, const std::string& section,
                    const std::string& key) const override;
    // Both save at once unless saves are held; when saving fails the values stay in memory
    // and a warning is printed.
    void set(const std::string& app, const std::string& section, const std::string& key,
             const std::string& value) override;
    void deleteSection(const std::string& app, const std::string& section) override;
    bool damaged(const std::string& app, const std::string& section,
                 const std::string& key) const override;
    void holdSaves() override;
    void releaseSaves() override;
    std::string takeNotice() override;
    // Saves what is unsaved now, from any thread (a signal's watcher as the game ends).
    void saveNow();

    const std::filesystem::path& file() const { return file_; }

    // VORKALA_SETTINGS, else $XDG_CONFIG_HOME/vorkala/settings.json, else
    // $HOME/.config/vorkala/settings.json, else ./vorkala-settings.json.
    static std::filesystem::path defaultPath();

  private:
    // This game's changes not yet in the file: per section, whether it was deleted first,
    // then the keys written since.
    struct SectionChange {
        bool deleted = false;
        std::map<std::string, std::string> values;
    };
    using Changes = std::map<std::pair<std::string, std::string>, SectionChange>;

    void refreshIfChanged();
    std::optional<std::string> takeFile(const std::filesystem::path& real, bool& damagedFile);
    void keepDamagedCopy(const std::filesystem::path& real, const std::string& damage);
    void writeFile(const std::filesystem::path& real);
    void save();
    void reportSaveFailure(const std::string& reason);
    static void apply(const std::string& app, const std::string& section,
                      const SectionChange& change, SettingsDocument& values);

    std::filesystem::path file_;
    mutable std::mutex mutex_;
    SettingsDocument values_;  // the file as last read or written, with this game's changes
    Changes unsaved_;
    std::set<SettingsKey> damaged_;
    settings_file::Stamp seen_;  // the file's version that values_ stands on
    int holds_ = 0;
    std::string notice_;
    // False when an existing file could be neither read nor kept aside: saving would
    // destroy it, so this session keeps its values in memory only.
    bool mayWrite_ = true;
    // Only the first of a run of failed saves is reported, not every counter update.
    bool saveFailing_ = false;
};

}  // namespace vk
