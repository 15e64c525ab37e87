#include "runtime/settings_json.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <system_error>
#include <utility>
#include <vector>

#include <nlohmann/json.hpp>

namespace vk {

namespace fs = std::filesystem;
using nlohmann::json;

namespace {

using Document = std::map<std::string, std::map<std::string, std::map<std::string, std::string>>>;

std::string lastSystemError() { return std::error_code(errno, std::generic_category()).message(); }

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::optional<std::string> readWholeFile(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Takes every text value three objects deep; anything else (a number, a list, a section
// that is not an object) is left out and named in `dropped`, so one bad value costs only
// itself and its key reads as never saved.
Document textValues(const json& root, std::vector<std::string>& dropped,
                    std::set<std::tuple<std::string, std::string, std::string>>& damagedKeys) {
    Document apps;
    for (const auto& [app, sections] : root.items()) {
        if (!sections.is_object()) {
            dropped.push_back("\"" + app + "\"");
            continue;
        }
        for (const auto& [section, keys] : sections.items()) {
            const std::string where = "\"" + app + "\"/\"" + section + "\"";
            if (!keys.is_object()) {
                dropped.push_back(where);
                continue;
            }
            for (const auto& [key, value] : keys.items()) {
                if (value.is_string())
                    apps[app][section][key] = value.get<std::string>();
                else {
                    dropped.push_back(where + "/\"" + key + "\"");
                    damagedKeys.emplace(app, section, key);
                }
            }
        }
    }
    return apps;
}

std::string joined(const std::vector<std::string>& items) {
    std::string text;
    for (const std::string& item : items) text += (text.empty() ? "" : ", ") + item;
    return text;
}

// Players may read the file, so it is indented and keeps non-ASCII letters as they are.
// Bytes that are not UTF-8 are written as U+FFFD rather than failing the whole save.
std::string render(const Document& apps) {
    const json document = apps;
    return document.dump(2, ' ', false, json::error_handler_t::replace) + "\n";
}

bool writeAll(int fd, const std::string& text) {
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t written = ::write(fd, text.data() + done, text.size() - done);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        done += static_cast<std::size_t>(written);
    }
    return true;
}

// Writes the file and waits until it is on disk. Returns the problem, if any.
std::optional<std::string> writeDurably(const fs::path& file, const std::string& text) {
    const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return "cannot create " + file.string() + ": " + lastSystemError();
    std::optional<std::string> problem;
    if (!writeAll(fd, text)) {
        problem = "cannot write " + file.string() + ": " + lastSystemError();
    } else if (::fsync(fd) != 0) {
        problem = "cannot flush " + file.string() + ": " + lastSystemError();
    }
    if (::close(fd) != 0 && !problem) {
        problem = "cannot close " + file.string() + ": " + lastSystemError();
    }
    return problem;
}

// Makes the rename itself survive a crash; a failure here loses nothing already written.
void syncFolder(const fs::path& folder) {
    const int fd =
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

// A crash or full disk mid-save leaves either the old file or the new one, never a torn
// mix: the text goes to a temporary file beside the real one, which then replaces it.
std::optional<std::string> replaceAtomically(const fs::path& file, const std::string& text) {
    const fs::path folder = file.parent_path();
    std::error_code error;
    if (!folder.empty()) fs::create_directories(folder, error);
    if (error) return "cannot create folder " + folder.string() + ": " + error.message();

    fs::path temporary = file;
    temporary += ".tmp-" + std::to_string(::getpid());
    std::optional<std::string> problem = writeDurably(temporary, text);
    if (!problem) {
        fs::rename(temporary, file, error);
        if (error) problem = "cannot replace " + file.string() + ": " + error.message();
    }
    if (problem) {
        fs::remove(temporary, error);
        return problem;
    }
    syncFolder(folder);
    return std::nullopt;
}

// A save killed before its rename leaves "<name>.tmp-<pid>" behind. Those of processes
// that are gone are removed; a live process's temporary file may be a save in progress.
void removeStaleTemporaries(const fs::path& file) {
    const std::string prefix = file.filename().string() + ".tmp-";
    std::error_code error;
    fs::directory_iterator entries(file.parent_path().empty() ? "." : file.parent_path(), error);
    if (error) return;
    for (const auto& entry : entries) {
        const std::string name = entry.path().filename().string();
        if (name.rfind(prefix, 0) != 0) continue;
        const std::string digits = name.substr(prefix.size());
        if (digits.empty() || digits.find_first_not_of("0123456789") != std::string::npos ||
            digits.size() > 9)
            continue;
        const pid_t owner = static_cast<pid_t>(std::stol(digits));
        if (::kill(owner, 0) == 0 || errno != ESRCH) continue;
        fs::remove(entry.path(), error);
    }
}

}  // namespace

JsonSettingsStore::JsonSettingsStore(fs::path file) : file_(std::move(file)) {
    try {
        load();
    } catch (const std::exception& e) {
        apps_.clear();
        mayWrite_ = false;
        std::cerr << "vorkala: cannot load settings from " << file_.string() << ": " << e.what()
                  << "; changes will not be saved this session\n";
    }
}

std::string JsonSettingsStore::get(const std::string& app, const std::string& section,
                                   const std::string& key) const {
    const auto appFound = apps_.find(app);
    if (appFound == apps_.end()) return "";
    const auto sectionFound = appFound->second.find(section);
    if (sectionFound == appFound->second.end()) return "";
    const auto keyFound = sectionFound->second.find(key);
    return keyFound == sectionFound->second.end() ? "" : keyFound->second;
}

void JsonSettingsStore::set(const std::string& app, const std::string& section,
                            const std::string& key, const std::string& value) {
    apps_[app][section][key] = value;
    damaged_.erase({app, section, key});
    save();
}

void JsonSettingsStore::deleteSection(const std::string& app, const std::string& section) {
    std::erase_if(damaged_, [&](const auto& entry) {
        return std::get<0>(entry) == app && std::get<1>(entry) == section;
    });
    const auto appFound = apps_.find(app);
    if (appFound == apps_.end() || appFound->second.erase(section) == 0) return;
    if (appFound->second.empty()) apps_.erase(appFound);
    save();
}

bool JsonSettingsStore::damaged(const std::string& app, const std::string& section,
                                const std::string& key) const {
    return damaged_.contains({app, section, key});
}

fs::path JsonSettingsStore::defaultPath() {
    const std::string explicitFile = environment("VORKALA_SETTINGS");
    if (!explicitFile.empty()) return explicitFile;
    const fs::path configHome = environment("XDG_CONFIG_HOME");
    if (configHome.is_absolute()) return configHome / "vorkala" / "settings.json";
    const std::string home = environment("HOME");
    if (!home.empty()) return fs::path(home) / ".config" / "vorkala" / "settings.json";
    return fs::path(".") / "vorkala-settings.json";
}

void JsonSettingsStore::load() {
    std::error_code error;
    const fs::file_status status = fs::status(file_, error);
    if (status.type() == fs::file_type::not_found) return;  // first run
    removeStaleTemporaries(file_);

    std::optional<std::string> text;
    if (!error && fs::is_regular_file(status)) text = readWholeFile(file_);
    if (!text) {
        // Not ours to overwrite: it may hold progress we simply cannot see right now.
        mayWrite_ = false;
        std::cerr << "vorkala: cannot read settings file " << file_.string()
                  << "; changes will not be saved this session\n";
        return;
    }

    json root;
    try {
        root = json::parse(*text);
    } catch (const json::exception& e) {
        // Bad syntax, and also a number too large for a double (out_of_range).
        moveAsideAsCorrupt(e.what());
        return;
    }
    if (!root.is_object()) {
        moveAsideAsCorrupt("the top level is not an object");
        return;
    }
    std::vector<std::string> dropped;
    apps_ = textValues(root, dropped, damaged_);
    if (!dropped.empty()) keepDamagedCopy(*text, joined(dropped));
}

// The next save leaves the dropped values out, so the file as it was is kept beside it.
void JsonSettingsStore::keepDamagedCopy(const std::string& text, const std::string& dropped) {
    fs::path copy = file_;
    copy += ".corrupt";
    const auto problem = replaceAtomically(copy, text);
    std::cerr << "vorkala: settings file " << file_.string() << " has values that are not texts ("
              << dropped << "); they read as never saved";
    if (problem)
        std::cerr << " and the file could not be copied (" << *problem << ")\n";
    else
        std::cerr << "; the file as it was is kept in " << copy.string() << "\n";
}

void JsonSettingsStore::moveAsideAsCorrupt(const std::string& reason) {
    fs::path aside = file_;
    aside += ".corrupt";
    std::error_code error;
    fs::rename(file_, aside, error);
    if (error) {
        mayWrite_ = false;
        std::cerr << "vorkala: settings file " << file_.string() << " is damaged (" << reason
                  << ") and cannot be moved to " << aside.string() << " (" << error.message()
                  << "); changes will not be saved this session\n";
        return;
    }
    std::cerr << "vorkala: settings file " << file_.string() << " is damaged (" << reason
              << "); moved it to " << aside.string() << " and starting with empty settings\n";
}

void JsonSettingsStore::save() {
    if (!mayWrite_) return;
    std::optional<std::string> problem;
    try {
        problem = replaceAtomically(file_, render(apps_));
    } catch (const std::exception& e) {
        problem = e.what();
    }
    if (problem) {
        reportSaveFailure(*problem);
    } else {
        saveFailing_ = false;
    }
}

void JsonSettingsStore::reportSaveFailure(const std::string& reason) {
    if (saveFailing_) return;
    saveFailing_ = true;
    std::cerr << "vorkala: cannot save settings to " << file_.string() << " (" << reason
              << "); keeping changes in memory\n";
}

}  // namespace vk
