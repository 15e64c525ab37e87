// Finds the game's data files by the names the screens give them: backslashes separate
// folders, letter case does not count and trailing blanks of a name are dropped.
#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vk {

// Ends a message about a data file that is there but unusable (or lost from a folder that
// is the game's): what the player can do about it.
inline constexpr const char* kReplaceDataFile = ". Put the game's own file back in its place";

class DataFiles {
  public:
    // Names below "\data\" are looked up in `dataFolder` when one is given, else in the
    // program folder's "data".
    explicit DataFiles(std::filesystem::path programFolder, std::filesystem::path dataFolder = {});

    const std::filesystem::path& programFolder() const { return folder_; }
    // The program folder as the game joins names to it (no trailing separator).
    std::string appPath() const;

    // A name is program-relative ("\data\obr\x.old"), or starts with appPath(), or is
    // an ordinary path. Returns the existing file it denotes, or nullopt.
    std::optional<std::filesystem::path> resolve(std::string_view name) const;
    // The entry a name leads to, of any kind (a folder, a pipe...), or nullopt.
    std::optional<std::filesystem::path> entry(std::string_view name) const { return walk(name); }
    // For a name that resolve() did not find: the name, the data folder it was looked for
    // in, and, when that folder or the name's folder in it is missing (the game started
    // from the wrong place), how to point the game at its data.
    std::string describeMissing(std::string_view name) const;

    // The folder's listing is cached; call after files were added or removed.
    void forgetListings() { listings_.clear(); }

  private:
    // The entry a name leads to, of any kind.
    std::optional<std::filesystem::path> walk(std::string_view name) const;
    std::optional<std::filesystem::path> findEntry(const std::filesystem::path& dir,
                                                   const std::string& wanted) const;

    std::filesystem::path folder_;
    std::filesystem::path dataFolder_;
    mutable std::map<std::filesystem::path, std::vector<std::filesystem::path>> listings_;
};

// The program folder: $VORKALA_HOME when set, else the folder of the running executable,
// or share/vorkala/ beside its bin/ folder when the data was installed there.
std::filesystem::path defaultProgramFolder();

// Splits a name at either slash, drops empty segments and trailing blanks of each one.
std::vector<std::string> splitDataName(std::string_view name);

}  // namespace vk
