// Saved progress (stage counters, the high-score table, the first-run marker) kept in one
// JSON file per user: {"<app>": {"<section>": {"<key>": "<value>"}}}, all values text.
#pragma once

#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <tuple>

#include "runtime/platform.h"

namespace vk {

class JsonSettingsStore : public SettingsStore {
  public:
    // Loads the file when it exists. A file that cannot be understood is moved aside to
    // "<name>.corrupt" and the store starts empty. Values that are not texts (numbers,
    // lists, sections that are not objects) read as never saved and the others are kept;
    // the file as it was is then copied to "<name>.corrupt". Nothing here ever throws.
    explicit JsonSettingsStore(std::filesystem::path file);

    std::string get(const std::string& app, const std::string& section,
                    const std::string& key) const override;
    // Both save at once; when saving fails the values stay in memory and a warning is printed.
    void set(const std::string& app, const std::string& section, const std::string& key,
             const std::string& value) override;
    void deleteSection(const std::string& app, const std::string& section) override;
    bool damaged(const std::string& app, const std::string& section,
                 const std::string& key) const override;

    const std::filesystem::path& file() const { return file_; }

    // VORKALA_SETTINGS, else $XDG_CONFIG_HOME/vorkala/settings.json, else
    // $HOME/.config/vorkala/settings.json, else ./vorkala-settings.json.
    static std::filesystem::path defaultPath();

  private:
    using Section = std::map<std::string, std::string>;
    using App = std::map<std::string, Section>;
    using Document = std::map<std::string, App>;

    void load();
    void moveAsideAsCorrupt(const std::string& reason);
    void keepDamagedCopy(const std::string& text, const std::string& dropped);
    void save();
    void reportSaveFailure(const std::string& reason);

    std::filesystem::path file_;
    Document apps_;
    // Keys whose value in the file was not a text, until they are written again.
    std::set<std::tuple<std::string, std::string, std::string>> damaged_;
    // False when an existing file could be neither read nor moved aside: saving would
    // destroy it, so this session keeps its values in memory only.
    bool mayWrite_ = true;
    // Only the first of a run of failed saves is reported, not every counter update.
    bool saveFailing_ = false;
};

}  // namespace vk
