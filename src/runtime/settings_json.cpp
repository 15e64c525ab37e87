#include "runtime/settings_json.h"

#include <cstdlib>
#include <iostream>
#include <utility>

namespace vk {

namespace fs = std::filesystem;
namespace disk = settings_file;

namespace {

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

fs::path folderOf(const fs::path& file) {
    return file.parent_path().empty() ? fs::path(".") : file.parent_path();
}

}  // namespace

JsonSettingsStore::JsonSettingsStore(fs::path file, std::optional<SettingsLayout> layout)
    : file_(std::move(file)), layout_(std::move(layout)) {
    try {
        const fs::path real = disk::resolveLinks(file_);
        disk::removeStaleTemporaries(real);
        const disk::FolderLock lock(folderOf(real));
        bool damagedFile = false;
        if (auto problem = takeFile(real, damagedFile)) {
            // Not ours to overwrite: it may hold progress we simply cannot see right now.
            mayWrite_ = false;
            std::cerr << "vorkala: cannot read settings file " << real.string() << " (" << *problem
                      << "); changes will not be saved this session\n";
        } else if (damagedFile && mayWrite_) {
            writeFile(real);
        }
    } catch (const std::exception& e) {
        values_.clear();
        mayWrite_ = false;
        std::cerr << "vorkala: cannot load settings from " << file_.string() << ": " << e.what()
                  << "; changes will not be saved this session\n";
    }
}

JsonSettingsStore::~JsonSettingsStore() { saveNow(); }

std::string JsonSettingsStore::get(const std::string& app, const std::string& section,
                                   const std::string& key) const {
    const std::lock_guard guard(mutex_);
    std::string value;
    if (const auto appFound = values_.find(app); appFound != values_.end())
        if (const auto sectionFound = appFound->second.find(section);
            sectionFound != appFound->second.end())
            if (const auto keyFound = sectionFound->second.find(key);
                keyFound != sectionFound->second.end())
                value = keyFound->second;
    marks_[{app, section, key}] = value;
    return value;
}

void JsonSettingsStore::set(const std::string& app, const std::string& section,
                            const std::string& key, const std::string& value) {
    const std::lock_guard guard(mutex_);
    auto [mark, unmarked] = marks_.try_emplace({app, section, key}, value);
    if (!unmarked) {
        if (mark->second == value) return;  // what the game read or wrote last: no change
        mark->second = value;
    }
    values_[app][section][key] = value;
    unsaved_[{app, section}].values[key] = value;
    damaged_.erase({app, section, key});
    if (holds_ == 0) save();
}

void JsonSettingsStore::deleteSection(const std::string& app, const std::string& section) {
    const std::lock_guard guard(mutex_);
    const auto inSection = [&](const SettingsKey& entry) {
        return std::get<0>(entry) == app && std::get<1>(entry) == section;
    };
    std::erase_if(damaged_, inSection);
    std::erase_if(marks_, [&](const auto& mark) { return inSection(mark.first); });
    // Another game may have written the section since it was read, so the deletion is
    // saved even when this game holds none of it.
    SectionChange& change = unsaved_[{app, section}];
    change = {.deleted = true, .values = {}};
    apply(app, section, change, values_);
    if (holds_ == 0) save();
}

bool JsonSettingsStore::damaged(const std::string& app, const std::string& section,
                                const std::string& key) const {
    const std::lock_guard guard(mutex_);
    return damaged_.contains({app, section, key});
}

void JsonSettingsStore::holdSaves() {
    const std::lock_guard guard(mutex_);
    if (holds_++ == 0) refreshIfChanged();
}

void JsonSettingsStore::releaseSaves() {
    const std::lock_guard guard(mutex_);
    if (holds_ > 0 && --holds_ == 0 && !unsaved_.empty()) save();
}

std::string JsonSettingsStore::takeNotice() {
    const std::lock_guard guard(mutex_);
    return std::exchange(notice_, {});
}

void JsonSettingsStore::saveNow() {
    const std::lock_guard guard(mutex_);
    if (!unsaved_.empty()) save();
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

// Another game may have saved since this one last looked: each outermost handler starts
// from the file as it is, so that what it writes back is that game's progress too.
void JsonSettingsStore::refreshIfChanged() {
    if (!mayWrite_) return;
    try {
        const fs::path real = disk::resolveLinks(file_);
        if (disk::stampOf(real) == seen_) return;
        const disk::FolderLock lock(folderOf(real));
        bool damagedFile = false;
        const bool readable = !takeFile(real, damagedFile).has_value();
        if (readable && damagedFile && mayWrite_) writeFile(real);
    } catch (const std::exception& e) {
        reportSaveFailure(e.what());
    }
}

// Under the folder lock: the file's values with this game's unsaved changes on top become
// what the game reads. Returns the problem when the file exists but cannot be read.
std::optional<std::string> JsonSettingsStore::takeFile(const fs::path& real, bool& damagedFile) {
    const disk::Contents contents = disk::read(real, kMaxFileBytes);
    if (contents.state == disk::Contents::State::Unreadable) return contents.problem;
    ReadSettings read;  // a missing file: a first run, or all progress deleted
    if (contents.state == disk::Contents::State::Read)
        read = readSettings(contents.bytes, layout_ ? &*layout_ : nullptr,
                            contents.oversized ? kMaxFileBytes / 2 : SIZE_MAX);
    if (contents.oversized)
        read.damage = "larger than " + std::to_string(kMaxFileBytes >> 20) + " MB; " + read.damage;
    values_ = std::move(read.values);
    for (const auto& [where, change] : unsaved_) apply(where.first, where.second, change, values_);
    damaged_.merge(read.wrongTypes);
    seen_ = contents.stamp;
    damagedFile = !read.damage.empty();
    if (damagedFile) keepDamagedCopy(real, read.damage);
    return std::nullopt;
}

// The next save leaves out what could not be read, so the file as it is stays beside it.
void JsonSettingsStore::keepDamagedCopy(const fs::path& real, const std::string& damage) {
    const disk::Copy copy = disk::keepNumberedCopy(real, kKeptCopies);
    std::string message = "The settings file " + real.string() + " was damaged (" + damage + ").";
    if (copy.file.empty()) {
        // Saving would destroy the only copy of what could not be read.
        mayWrite_ = false;
        message += " It could not be copied (" + copy.problem +
                   "), so changes will not be saved this session.";
    } else {
        message += " Every value that could be read is kept; the file as it was is saved as " +
                   copy.file.string() + ".";
    }
    std::cerr << "vorkala: " << message << "\n";
    notice_ += (notice_.empty() ? "" : "\n\n") + message;
}

void JsonSettingsStore::writeFile(const fs::path& real) {
    if (auto problem = disk::replaceAtomically(real, renderSettings(values_))) {
        reportSaveFailure(*problem);
        return;
    }
    unsaved_.clear();
    seen_ = disk::stampOf(real);
    saveFailing_ = false;
}

// Writes this game's changes into the file as it is now: keys that another game saved
// meanwhile and this one did not change stay as that game left them.
void JsonSettingsStore::save() {
    if (!mayWrite_) return;
    try {
        const fs::path real = disk::resolveLinks(file_);
        std::error_code ignored;
        fs::create_directories(folderOf(real), ignored);
        const disk::FolderLock lock(folderOf(real));
        bool damagedFile = false;
        if (auto problem = takeFile(real, damagedFile)) {
            reportSaveFailure("cannot read it (" + *problem + "), so it is left as it is");
            return;
        }
        if (mayWrite_) writeFile(real);
    } catch (const std::exception& e) {
        reportSaveFailure(e.what());
    }
}

void JsonSettingsStore::reportSaveFailure(const std::string& reason) {
    if (saveFailing_) return;
    saveFailing_ = true;
    std::cerr << "vorkala: cannot save settings to " << file_.string() << " (" << reason
              << "); keeping changes in memory\n";
}

// A deleted section goes first, then the keys written since; an app left without
// sections goes too.
void JsonSettingsStore::apply(const std::string& app, const std::string& section,
                              const SectionChange& change, SettingsDocument& values) {
    if (change.deleted) {
        if (auto found = values.find(app); found != values.end()) found->second.erase(section);
    }
    for (const auto& [key, value] : change.values) values[app][section][key] = value;
    if (auto found = values.find(app); found != values.end() && found->second.empty())
        values.erase(found);
}

}  // namespace vk
