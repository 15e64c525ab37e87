#include "runtime/data_files.h"

#include <algorithm>
#include <cstdlib>
#include <system_error>

#include "runtime/text.h"

namespace vk {

namespace fs = std::filesystem;

namespace {

std::string trimTrailingBlanks(std::string text) {
    while (!text.empty() && text.back() == ' ') text.pop_back();
    return text;
}

// Whether a name lies inside `folder`: the folder's name must be followed by a separator
// (or end the name), so that a neighbour whose name merely starts alike stays outside.
bool startsWithFolder(std::string_view name, std::string_view folder) {
    if (folder.empty() || name.substr(0, folder.size()) != folder) return false;
    if (name.size() == folder.size() || folder.back() == '/') return true;
    const char next = name[folder.size()];
    return next == '\\' || next == '/';
}

}  // namespace

std::vector<std::string> splitDataName(std::string_view name) {
    std::vector<std::string> parts;
    std::string current;
    auto flush = [&] {
        std::string part = trimTrailingBlanks(current);
        if (!part.empty() && part != ".") parts.push_back(part);
        current.clear();
    };
    for (char c : name) {
        if (c == '\\' || c == '/')
            flush();
        else
            current.push_back(c);
    }
    flush();
    return parts;
}

DataFiles::DataFiles(fs::path programFolder, fs::path dataFolder)
    : folder_(std::move(programFolder)), dataFolder_(std::move(dataFolder)) {}

std::string DataFiles::appPath() const {
    std::string path = folder_.string();
    while (path.size() > 1 && (path.back() == '/' || path.back() == '\\')) path.pop_back();
    return path;
}

std::optional<fs::path> DataFiles::findEntry(const fs::path& dir, const std::string& wanted) const {
    auto listing = listings_.find(dir);
    if (listing == listings_.end()) {
        std::vector<fs::path> entries;
        std::error_code ec;
        for (const auto& entry : fs::directory_iterator(dir, ec)) entries.push_back(entry.path());
        std::sort(entries.begin(), entries.end());
        listing = listings_.emplace(dir, std::move(entries)).first;
    }
    // An exact match wins over one that differs only in letter case.
    for (const auto& entry : listing->second)
        if (trimTrailingBlanks(entry.filename().string()) == wanted) return entry;
    for (const auto& entry : listing->second)
        if (sameIgnoringCase(trimTrailingBlanks(entry.filename().string()), wanted)) return entry;
    return std::nullopt;
}

std::optional<fs::path> DataFiles::walk(std::string_view name) const {
    const std::string app = appPath();
    fs::path dir;
    std::string_view rest = name;
    if (startsWithFolder(name, app)) {
        dir = folder_;
        rest = name.substr(app.size());
    } else if (!name.empty() && name.front() == '/') {
        dir = "/";
    } else {
        // A name starting with a backslash is below the program folder too.
        dir = folder_;
    }
    auto parts = splitDataName(rest);
    if (parts.empty()) return std::nullopt;
    if (dir == folder_ && !dataFolder_.empty() && sameIgnoringCase(parts.front(), "data")) {
        dir = dataFolder_;
        parts.erase(parts.begin());
    }
    for (const auto& part : parts) {
        auto entry = findEntry(dir, part);
        if (!entry) return std::nullopt;
        dir = *entry;
    }
    return dir;
}

std::optional<fs::path> DataFiles::resolve(std::string_view name) const {
    auto found = walk(name);
    std::error_code ec;
    if (!found || !fs::is_regular_file(*found, ec)) return std::nullopt;
    return found;
}

std::string DataFiles::describeMissing(std::string_view name) const {
    std::string text(name);
    const auto parts = splitDataName(name);
    if (parts.empty() || !sameIgnoringCase(parts.front(), "data")) return text;
    const fs::path data = dataFolder_.empty() ? folder_ / "data" : dataFolder_;
    text += " (looked for in the data folder " + data.string() + ")";
    const auto lastSeparator = name.find_last_of("\\/");
    const auto itsFolder = walk(name.substr(0, lastSeparator));
    std::error_code ec;
    if (!itsFolder || !fs::is_directory(*itsFolder, ec))
        return text +
               ". That folder is not the game's data: set VORKALA_HOME to the folder that "
               "holds the game's data folder";
    return text + kReplaceDataFile;
}

fs::path defaultProgramFolder() {
    if (const char* home = std::getenv("VORKALA_HOME"); home && *home) return home;
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec) return fs::current_path();
    // Installed under a prefix, the program is in bin/ and its data in share/vorkala/.
    fs::path installed = exe.parent_path().parent_path() / "share" / "vorkala";
    if (!fs::is_directory(exe.parent_path() / "data", ec) &&
        fs::is_directory(installed / "data", ec))
        return installed;
    return exe.parent_path();
}

}  // namespace vk
