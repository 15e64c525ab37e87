#include "runtime/settings_json.h"

#include <array>
#include <cstdlib>
#include <iostream>
#include <utility>

#include <nlohmann/json.hpp>

namespace vk {

namespace fs = std::filesystem;
using nlohmann::json;
namespace disk = settings_file;

namespace {

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

fs::path folderOf(const fs::path& file) {
    return file.parent_path().empty() ? fs::path(".") : file.parent_path();
}

// The length of the UTF-8 sequence starting at `at`, or 0 when it is not one.
std::size_t utf8Length(std::string_view text, std::size_t at) {
    const auto byte = [&](std::size_t i) {
        return at + i < text.size() ? static_cast<unsigned char>(text[at + i]) : 0u;
    };
    const auto continuation = [&](std::size_t i, unsigned low = 0x80, unsigned high = 0xBF) {
        return byte(i) >= low && byte(i) <= high;
    };
    const unsigned lead = byte(0);
    if (lead < 0x80) return 1;
    if (lead >= 0xC2 && lead <= 0xDF) return continuation(1) ? 2 : 0;
    if (lead >= 0xE0 && lead <= 0xEF) {
        const unsigned low = lead == 0xE0 ? 0xA0 : 0x80, high = lead == 0xED ? 0x9F : 0xBF;
        return continuation(1, low, high) && continuation(2) ? 3 : 0;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        const unsigned low = lead == 0xF0 ? 0x90 : 0x80, high = lead == 0xF4 ? 0x8F : 0xBF;
        return continuation(1, low, high) && continuation(2) && continuation(3) ? 4 : 0;
    }
    return 0;
}

// Each byte that is not part of a UTF-8 character becomes U+FFFD; the rest stays as it is.
std::string withValidUtf8(std::string_view bytes, std::size_t& replaced) {
    std::string text;
    text.reserve(bytes.size());
    for (std::size_t at = 0; at < bytes.size();) {
        const std::size_t length = utf8Length(bytes, at);
        if (length == 0) {
            text += "\xEF\xBF\xBD";
            ++replaced;
            ++at;
        } else {
            text.append(bytes.substr(at, length));
            at += length;
        }
    }
    return text;
}

std::string quoted(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names) text += (text.empty() ? "\"" : "/\"") + name + "\"";
    return text;
}

// The parser's message without its "[json.exception...] " tag and without the text it
// read last, which may be a whole huge value.
std::string plainMessage(const std::string& message) {
    const auto tagEnd = message.find("] ");
    std::string plain = tagEnd == std::string::npos ? message : message.substr(tagEnd + 2);
    plain = plain.substr(0, plain.find("; last read:"));
    constexpr std::size_t kLongest = 200;
    return plain.size() > kLongest ? plain.substr(0, kLongest) + "..." : plain;
}

// Collects text values three objects deep while the parser walks the file, so that a
// parse error keeps everything read before it.
class SalvagingReader : public json::json_sax_t {
  public:
    explicit SalvagingReader(std::size_t budget) : budget_(budget) {}

    bool null() override { return other(); }
    bool boolean(bool) override { return other(); }
    bool number_integer(number_integer_t) override { return other(); }
    bool number_unsigned(number_unsigned_t) override { return other(); }
    bool number_float(number_float_t, const string_t&) override { return other(); }
    bool binary(binary_t&) override { return other(); }
    bool string(string_t& value) override {
        if (skipFrom_ || depth_ != 3) return other();
        const std::size_t size =
            names_[0].size() + names_[1].size() + names_[2].size() + value.size();
        if (size > budget_ - kept_) {
            drop("too long to keep");
            return true;
        }
        kept_ += size;
        result.values[names_[0]][names_[1]][names_[2]] = std::move(value);
        return true;
    }
    bool key(string_t& name) override {
        if (!skipFrom_ && depth_ >= 1 && depth_ <= 3) names_[depth_ - 1] = name;
        return true;
    }
    bool start_object(std::size_t) override { return open(true); }
    bool start_array(std::size_t) override { return open(false); }
    bool end_object() override { return close(); }
    bool end_array() override { return close(); }
    bool parse_error(std::size_t position, const std::string&,
                     const nlohmann::detail::exception& error) override {
        damage("unreadable from byte " + std::to_string(position) + ": " +
               plainMessage(error.what()));
        return false;
    }

    ReadSettings result;

  private:
    bool open(bool object) {
        if (depth_ == 0 && !object) return other();
        if (!skipFrom_ && (!object || depth_ == 3)) {
            drop("not a text");
            skipFrom_ = depth_ + 1;
        }
        ++depth_;
        return true;
    }
    bool close() {
        if (skipFrom_ == depth_) skipFrom_ = 0;
        --depth_;
        return true;
    }
    // A value that is not a text where a text or an object belongs.
    bool other() {
        if (depth_ == 0) {
            damage("the top level is not an object");
            return false;
        }
        if (!skipFrom_) drop("not a text");
        return true;
    }
    void drop(const std::string& why) {
        const std::vector<std::string> where(names_.begin(), names_.begin() + depth_);
        if (depth_ == 3) result.wrongTypes.emplace(names_[0], names_[1], names_[2]);
        damage(quoted(where) + " " + why);
    }
    void damage(const std::string& what) {
        result.damage += (result.damage.empty() ? "" : "; ") + what;
    }

    std::size_t budget_;
    std::size_t kept_ = 0;
    std::size_t depth_ = 0;     // objects and lists open around the parser
    std::size_t skipFrom_ = 0;  // depth of a list or object whose contents are left out
    std::array<std::string, 3> names_;
};

// Players may read the file, so it is indented and keeps non-ASCII letters as they are.
std::string render(const SettingsDocument& values) {
    const json document = values;
    return document.dump(2, ' ', false, json::error_handler_t::replace) + "\n";
}

}  // namespace

ReadSettings readSettings(std::string_view bytes, std::size_t budget) {
    std::size_t replaced = 0;
    const std::string text = withValidUtf8(bytes, replaced);
    SalvagingReader reader(budget);
    json::sax_parse(text, &reader);
    if (replaced > 0) {
        const std::string count = std::to_string(replaced);
        reader.result.damage.insert(0, count + (replaced == 1 ? " byte" : " bytes") +
                                           " not UTF-8 read as U+FFFD" +
                                           (reader.result.damage.empty() ? "" : "; "));
    }
    return std::move(reader.result);
}

JsonSettingsStore::JsonSettingsStore(fs::path file) : file_(std::move(file)) {
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
    const auto appFound = values_.find(app);
    if (appFound == values_.end()) return "";
    const auto sectionFound = appFound->second.find(section);
    if (sectionFound == appFound->second.end()) return "";
    const auto keyFound = sectionFound->second.find(key);
    return keyFound == sectionFound->second.end() ? "" : keyFound->second;
}

void JsonSettingsStore::set(const std::string& app, const std::string& section,
                            const std::string& key, const std::string& value) {
    const std::lock_guard guard(mutex_);
    values_[app][section][key] = value;
    unsaved_[{app, section}].values[key] = value;
    damaged_.erase({app, section, key});
    if (holds_ == 0) save();
}

void JsonSettingsStore::deleteSection(const std::string& app, const std::string& section) {
    const std::lock_guard guard(mutex_);
    std::erase_if(damaged_, [&](const auto& entry) {
        return std::get<0>(entry) == app && std::get<1>(entry) == section;
    });
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
        read = readSettings(contents.bytes, contents.oversized ? kMaxFileBytes / 2 : SIZE_MAX);
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
    if (auto problem = disk::replaceAtomically(real, render(values_))) {
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
