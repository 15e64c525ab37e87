#include "runtime/settings_json.h"

#include <pwd.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <utility>
#include <vector>

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

// The user's home folder as the password database has it, or empty.
std::string passwordDatabaseHome() {
    struct passwd entry {};
    struct passwd* found = nullptr;
    std::vector<char> buffer(16384);
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 || !found ||
        !found->pw_dir)
        return "";
    return found->pw_dir;
}

}  // namespace

// A save that starts as the game ends still waits its short while for another game's save;
// the ending only cuts short a wait that started before it.
disk::FolderLock JsonSettingsStore::lockFolder(const fs::path& real) const {
    const bool ending = ending_;
    return {folderOf(real), ending ? kEndingLockWait : kLockWait, ending ? nullptr : &ending_};
}

JsonSettingsStore::JsonSettingsStore(fs::path file, std::optional<SettingsLayout> layout)
    : file_(std::move(file)), layout_(std::move(layout)) {
    // A save beyond the file size limit fails like one on a full disk, instead of ending
    // the game.
    ::signal(SIGXFSZ, SIG_IGN);
    try {
        const fs::path real = disk::resolveLinks(file_);
        disk::removeStaleTemporaries(real);
        const disk::FolderLock lock = lockFolder(real);
        bool damagedFile = false;
        if (auto problem = takeFile(real, damagedFile)) {
            // Not ours to overwrite: it may hold progress we simply cannot see right now.
            mayWrite_ = false;
            tell("Saved progress cannot be read: " + *problem + ".", real,
                 "It is left as it is, and nothing is saved this session; make the file "
                 "readable and start the game again.");
        } else if (damagedFile && mayWrite_) {
            writeFile(real);
        }
    } catch (const std::exception& e) {
        values_.clear();
        mayWrite_ = false;
        tell(std::string("Saved progress cannot be loaded: ") + e.what() + ".", file_,
             "Nothing is saved this session.");
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
    // Set before the store's own lock is taken: a save waiting for the folder's lock in
    // another thread stops waiting, so the game can end.
    ending_ = true;
    const std::lock_guard guard(mutex_);
    if (!unsaved_.empty()) save();
}

fs::path JsonSettingsStore::defaultPath() {
    const std::string explicitFile = environment("VORKALA_SETTINGS");
    if (!explicitFile.empty()) return explicitFile;
    const fs::path configHome = environment("XDG_CONFIG_HOME");
    if (configHome.is_absolute()) return configHome / "vorkala" / "settings.json";
    std::string home = environment("HOME");
    if (home.empty()) home = passwordDatabaseHome();
    if (!home.empty()) return fs::path(home) / ".config" / "vorkala" / "settings.json";
    std::error_code error;
    fs::path here = fs::current_path(error) / "vorkala-settings.json";
    std::cerr << "vorkala: no home folder is known (HOME is not set); progress is saved in "
              << here.string() << "\n";
    return here;
}

// Another game may have saved since this one last looked: each outermost handler starts
// from the file as it is, so that what it writes back is that game's progress too.
void JsonSettingsStore::refreshIfChanged() {
    if (!mayWrite_) return;
    try {
        const fs::path real = disk::resolveLinks(file_);
        if (disk::stampOf(real) == seen_) return;
        const disk::FolderLock lock = lockFolder(real);
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
    const std::string what = "Saved progress was damaged: " + damage + ".";
    if (copy.file.empty()) {
        // Saving would destroy the only copy of what could not be read.
        mayWrite_ = false;
        tell(what, real,
             "No copy of it could be kept (" + copy.problem +
                 "), so nothing is saved this session; free some disk space or make the "
                 "folder writable, then start the game again.");
    } else {
        tell(what, real,
             "Every value that could be read is kept; the file as it was is saved as " +
                 copy.file.string() + ".");
    }
}

// The player hears of it in a message box before the next thing the game does, and
// standard error has it on one line.
void JsonSettingsStore::tell(const std::string& what, const fs::path& file,
                             const std::string& then) {
    const std::string message = what + "\nFile: " + file.string() + "\n" + then;
    std::string line = message;
    std::replace(line.begin(), line.end(), '\n', ' ');
    std::cerr << "vorkala: " << line << "\n";
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
        const disk::FolderLock lock = lockFolder(real);
        bool damagedFile = false;
        if (auto problem = takeFile(real, damagedFile)) {
            reportSaveFailure("the file cannot be read (" + *problem + ") and is left as it is");
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
    tell("Progress could not be saved: " + reason + ".", file_,
         "The game goes on and tries again at the next save; free some disk space or make "
         "the folder writable.");
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
