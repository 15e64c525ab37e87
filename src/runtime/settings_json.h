// Saved progress (stage counters, the high-score table, the first-run marker) kept in one
// file per user, all values text (see settings_format.h for its layout).
#pragma once

#include <atomic>
#include <chrono>
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
#include "runtime/settings_format.h"

namespace vk {

class JsonSettingsStore : public SettingsStore {
  public:
    // A settings file beyond this size counts as damaged: only its beginning is read.
    static constexpr std::size_t kMaxFileBytes = 1 << 20;
    // Damaged copies kept beside the file, the newest ones.
    static constexpr int kKeptCopies = 5;
    // How long a save waits for another game's save to finish before it goes on without
    // the folder's lock; a save as the game ends waits less.
    static constexpr std::chrono::milliseconds kLockWait{2000}, kEndingLockWait{500};

    // Loads the file when it exists. What cannot be read costs only itself: the file as it
    // was is kept as the next "<name>.corrupt-<n>", the file is rewritten with every value
    // that could be read, and the player is told once (takeNotice, standard error). A file
    // that cannot be read at all is never overwritten. Nothing here ever throws.
    // With a layout, its section is checked as the layout says (settings_format.h).
    explicit JsonSettingsStore(std::filesystem::path file,
                               std::optional<SettingsLayout> layout = std::nullopt);
    // Saves what is still unsaved.
    ~JsonSettingsStore() override;

    std::string get(const std::string& app, const std::string& section,
                    const std::string& key) const override;
    // Both save at once unless saves are held; when saving fails the values stay in memory
    // and a warning is printed. Writing the value this game last read or wrote for the key
    // changes nothing and saves nothing, even when another game has saved another value
    // since: only what this game changed reaches the file.
    void set(const std::string& app, const std::string& section, const std::string& key,
             const std::string& value) override;
    void deleteSection(const std::string& app, const std::string& section) override;
    bool damaged(const std::string& app, const std::string& section,
                 const std::string& key) const override;
    void holdSaves() override;
    void releaseSaves() override;
    std::string takeNotice() override;
    // Saves what is unsaved now, from any thread, as the game ends (a signal's watcher, or
    // the store going away): from here on no save waits long for the folder's lock.
    void saveNow();

    const std::filesystem::path& file() const { return file_; }

    // VORKALA_SETTINGS, else $XDG_CONFIG_HOME/vorkala/settings.json, else
    // $HOME/.config/vorkala/settings.json (the password database's home when HOME is not
    // set), else vorkala-settings.json in the working folder, which standard error names.
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
    void tell(const std::string& what, const std::filesystem::path& file, const std::string& then);
    settings_file::FolderLock lockFolder(const std::filesystem::path& real) const;
    static void apply(const std::string& app, const std::string& section,
                      const SectionChange& change, SettingsDocument& values);

    std::filesystem::path file_;
    std::optional<SettingsLayout> layout_;
    mutable std::mutex mutex_;
    SettingsDocument values_;  // the file as last read or written, with this game's changes
    // Per key, the value this game last read or wrote through get and set; a file reloaded
    // because another game saved leaves these as they are.
    mutable std::map<SettingsKey, std::string> marks_;
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
    std::atomic<bool> ending_ = false;
};

}  // namespace vk
