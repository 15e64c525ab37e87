#include "runtime/settings_format.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <optional>
#include <utility>
#include <vector>

#include <nlohmann/json.hpp>

#include "runtime/text.h"

namespace vk {

using nlohmann::json;

namespace {

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

// A name as a message shows it: quoted, and cut when long, so that a message about a
// damaged file is never much longer than a few names.
std::string shownName(std::string_view name) {
    constexpr std::size_t kLongest = 40;
    if (name.size() <= kLongest) return "\"" + std::string(name) + "\"";
    const std::size_t cut = characterStartAtOrBefore(name, kLongest);
    return "\"" + std::string(name.substr(0, cut)) + "...\"";
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

// What was wrong with a file: the first few things in words, the rest only counted.
class DamageList {
  public:
    void add(const std::string& what) {
        if (count_++ < kNamed) text_ += (text_.empty() ? "" : "; ") + what;
    }
    std::size_t size() const { return count_; }
    std::string text() const {
        if (count_ <= kNamed) return text_;
        return text_ + "; and " + std::to_string(count_ - kNamed) + " more";
    }

  private:
    static constexpr std::size_t kNamed = 5;
    std::size_t count_ = 0;
    std::string text_;
};

// Collects what is read, within a budget for the values and one for the names of damaged
// keys (which a file may repeat without end).
class Collector {
  public:
    Collector(std::size_t valueBudget, std::size_t nameBudget, DamageList& damageList)
        : damage(damageList), valueBudget_(valueBudget), nameBudget_(nameBudget) {}

    // False when the value is beyond the budget (and so left out).
    bool keep(const std::string& app, const std::string& section, const std::string& name,
              std::string value) {
        const std::size_t size = app.size() + section.size() + name.size() + value.size();
        if (size > valueBudget_ - kept_) return false;
        kept_ += size;
        result.values[app][section][name] = std::move(value);
        return true;
    }
    void wrongType(const std::string& app, const std::string& section, const std::string& key) {
        const std::size_t size = app.size() + section.size() + key.size();
        if (size > nameBudget_ - named_) return;  // it reads as missing instead
        named_ += size;
        result.wrongTypes.emplace(app, section, key);
    }

    ReadSettings result;
    DamageList& damage;

  private:
    std::size_t valueBudget_, nameBudget_;
    std::size_t kept_ = 0, named_ = 0;
};

// --- The earlier layout: nested objects ---------------------------------------------

// Collects text values three objects deep while the parser walks the file, so that a
// parse error keeps everything read before it.
class NestedReader : public json::json_sax_t {
  public:
    explicit NestedReader(Collector& into) : into_(into) {}

    bool null() override { return other(); }
    bool boolean(bool) override { return other(); }
    bool number_integer(number_integer_t) override { return other(); }
    bool number_unsigned(number_unsigned_t) override { return other(); }
    bool number_float(number_float_t, const string_t&) override { return other(); }
    bool binary(binary_t&) override { return other(); }
    bool string(string_t& value) override {
        if (skipFrom_ || depth_ != 3) return other();
        if (!into_.keep(names_[0], names_[1], names_[2], std::move(value)))
            drop("too long to keep");
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
        into_.damage.add("unreadable from byte " + std::to_string(position) + ": " +
                         plainMessage(error.what()));
        return false;
    }

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
            into_.damage.add("the top level is not an object");
            return false;
        }
        if (!skipFrom_) drop("not a text");
        return true;
    }
    void drop(const std::string& why) {
        std::string where;
        for (std::size_t i = 0; i < depth_; ++i) where += (i ? "/" : "") + shownName(names_[i]);
        if (depth_ == 3) into_.wrongType(names_[0], names_[1], names_[2]);
        into_.damage.add(where + " " + why);
    }

    Collector& into_;
    std::size_t depth_ = 0;     // objects and lists open around the parser
    std::size_t skipFrom_ = 0;  // depth of a list or object whose contents are left out
    std::array<std::string, 3> names_;
};

// --- One value a line -------------------------------------------------------------------

std::uint32_t crc32(std::string_view text, std::uint32_t crc = 0xFFFFFFFFu) {
    for (const char ch : text) {
        crc ^= static_cast<unsigned char>(ch);
        for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return crc;
}

// Eight hexadecimal digits that change with any change of the four texts.
std::string checkValue(const SettingsKey& key, std::string_view value) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::string_view part :
         {std::string_view(std::get<0>(key)), std::string_view(std::get<1>(key)),
          std::string_view(std::get<2>(key)), value})
        crc = crc32(std::string_view("\0", 1), crc32(part, crc));
    char digits[9];
    std::snprintf(digits, sizeof digits, "%08x", ~crc);
    return digits;
}

std::string quotedJson(const std::string& text) { return json(text).dump(); }

bool isSpace(char ch) { return ch == ' ' || ch == '\t' || ch == '\r' || ch == '\n'; }

// One line's list: its elements, each a text or not (nullopt).
struct Entry {
    std::vector<std::optional<std::string>> elements;
    std::size_t end = 0;  // just past its closing bracket
};

// Reads the lines of a file in the layout of one value a line.
class LineReader {
  public:
    LineReader(std::string_view text, Collector& into) : text_(text), into_(into) {}

    void read() {
        skipSpace();
        if (!take('[')) {
            problem("it does not start with [");
            resync();
        }
        for (;;) {
            skipSpace();
            if (at_ >= text_.size()) {
                problem("it ends early");
                return;
            }
            if (text_[at_] == ']') {
                ++at_;
                skipSpace();
                if (at_ < text_.size()) problem("text after the end");
                return;
            }
            if (text_[at_] != '[') {
                problem("unreadable");
                resync();
                continue;
            }
            if (!readEntry()) {
                resync();
                continue;
            }
            skipSpace();
            if (at_ < text_.size() && text_[at_] != ']' && !take(','))
                problem("a comma is missing");
        }
    }

  private:
    std::size_t lineNumber() {
        for (; counted_ < at_ && counted_ < text_.size(); ++counted_)
            if (text_[counted_] == '\n') ++line_;
        return line_;
    }
    void problem(const std::string& what) {
        into_.damage.add("line " + std::to_string(lineNumber()) + ": " + what);
    }
    void skipSpace() {
        while (at_ < text_.size() && isSpace(text_[at_])) ++at_;
    }
    bool take(char ch) {
        if (at_ >= text_.size() || text_[at_] != ch) return false;
        ++at_;
        return true;
    }
    // Goes on at the next line's list after something that could not be read.
    void resync() {
        const std::size_t next = text_.find("[\"", at_ + 1);
        at_ = next == std::string_view::npos ? text_.size() : next;
    }

    // A quoted text starting at `from`, on one line; nullopt when it cannot be read.
    std::optional<std::string> quotedText(std::size_t from, std::size_t& end) const {
        std::size_t i = from + 1;
        while (i < text_.size() && text_[i] != '"' && text_[i] != '\n')
            i += text_[i] == '\\' ? 2 : 1;
        if (i >= text_.size() || text_[i] != '"') return std::nullopt;
        end = i + 1;
        const json parsed = json::parse(text_.substr(from, end - from), nullptr, false);
        if (!parsed.is_string()) return std::nullopt;
        return parsed.get<std::string>();
    }
    // Steps over a plain value that is not a text (a number, true, false, null). Lists and
    // objects are not stepped over: a scan never passes the start of the next line's list,
    // so a damaged file costs no more than reading it once or twice.
    bool skipOther(std::size_t& i) const {
        for (; i < text_.size(); ++i) {
            const char ch = text_[i];
            if (ch == ',' || ch == ']') return true;
            if (ch == '"' || ch == '[' || ch == '{' || ch == '\n') return false;
        }
        return false;
    }
    std::optional<Entry> parseEntry() const {
        Entry entry;
        std::size_t i = at_ + 1;
        for (;;) {
            while (i < text_.size() && isSpace(text_[i])) ++i;
            if (i >= text_.size()) return std::nullopt;
            if (text_[i] == '"') {
                std::size_t end = 0;
                auto value = quotedText(i, end);
                if (!value) return std::nullopt;
                entry.elements.push_back(std::move(value));
                i = end;
            } else {
                const std::size_t start = i;
                if (!skipOther(i) || i == start) return std::nullopt;
                entry.elements.emplace_back();
            }
            while (i < text_.size() && isSpace(text_[i])) ++i;
            if (i < text_.size() && text_[i] == ']') {
                entry.end = i + 1;
                return entry;
            }
            if (i >= text_.size() || text_[i] != ',') return std::nullopt;
            ++i;
        }
    }

    // One line's list; false when it could not be read at all.
    bool readEntry() {
        const auto entry = parseEntry();
        if (!entry) {
            problem("unreadable");
            return false;
        }
        const auto& e = entry->elements;
        if (e.size() < 4 || e.size() > 5 || !e[0] || !e[1] || !e[2]) {
            problem("not a value");
        } else {
            take(*e[0], *e[1], *e[2], e[3], e.size() == 5 ? &e[4] : nullptr);
        }
        at_ = entry->end;
        return true;
    }
    void take(const std::string& app, const std::string& section, const std::string& key,
              const std::optional<std::string>& value, const std::optional<std::string>* check) {
        const SettingsKey where{app, section, key};
        const std::string name = shownName(key);
        if (!value) {
            into_.wrongType(app, section, key);
            problem(name + " not a text");
            return;
        }
        // A line without a check value was written by hand and is taken as it stands.
        const bool vouched = !check || (*check && **check == checkValue(where, *value));
        if (!vouched) problem(name + " does not match its check value");
        if (const auto earlier = vouchedFor_.find(where); earlier != vouchedFor_.end()) {
            problem(name + " twice");
            // Of two lines for one key, one has a damaged key: the one that matches its
            // check value is the right one.
            if (earlier->second && !vouched) return;
        }
        vouchedFor_[where] = vouched;
        if (!into_.keep(app, section, key, *value)) problem(name + " too long to keep");
    }

    std::string_view text_;
    Collector& into_;
    std::size_t at_ = 0;
    std::size_t counted_ = 0, line_ = 1;
    std::map<SettingsKey, bool> vouchedFor_;
};

// The layout's section as the layout says: unknown keys go, a missing marker comes back.
void checkLayout(const SettingsLayout& layout, ReadSettings& read, DamageList& damage) {
    auto app = read.values.find(layout.app);
    if (app == read.values.end()) return;
    auto section = app->second.find(layout.section);
    if (section == app->second.end()) return;
    auto& values = section->second;
    std::erase_if(values, [&](const auto& entry) {
        if (layout.keys.contains(entry.first)) return false;
        damage.add(shownName(entry.first) + " is no key of the game");
        return true;
    });
    const bool othersSaved =
        values.size() > (values.contains(layout.markerKey) ? 1u : 0u) ||
        std::any_of(read.wrongTypes.begin(), read.wrongTypes.end(), [&](const SettingsKey& key) {
            return std::get<0>(key) == layout.app && std::get<1>(key) == layout.section;
        });
    const auto marker = values.find(layout.markerKey);
    if (othersSaved && (marker == values.end() || marker->second != layout.markerValue)) {
        damage.add("the first-run marker " + shownName(layout.markerKey) +
                   " was lost beside saved values and is put back");
        values[layout.markerKey] = layout.markerValue;
        read.wrongTypes.erase({layout.app, layout.section, layout.markerKey});
    }
    if (values.empty()) app->second.erase(section);
    if (app->second.empty()) read.values.erase(app);
}

std::string_view withoutByteOrderMark(std::string_view text) {
    return text.starts_with("\xEF\xBB\xBF") ? text.substr(3) : text;
}

// The values in one of the two layouts; what was wrong goes to `damage`.
ReadSettings readLayout(std::string_view text, bool nested, std::size_t budget,
                        DamageList& damage) {
    // Damaged keys are remembered only up to the size of the file itself.
    Collector collector(budget, text.size(), damage);
    if (nested) {
        NestedReader reader(collector);
        json::sax_parse(text, &reader);
    } else {
        LineReader(text, collector).read();
    }
    return std::move(collector.result);
}

std::size_t valueCount(const SettingsDocument& values) {
    std::size_t count = 0;
    for (const auto& [app, sections] : values)
        for (const auto& [section, keys] : sections) count += keys.size();
    return count;
}

}  // namespace

ReadSettings readSettings(std::string_view bytes, const SettingsLayout* layout,
                          std::size_t budget) {
    std::size_t replaced = 0;
    const std::string valid = withValidUtf8(bytes, replaced);
    const std::string_view text = withoutByteOrderMark(valid);
    const std::size_t first = text.find_first_not_of(" \t\r\n");
    const bool nested = first != std::string_view::npos && text[first] == '{';
    DamageList damage;
    if (replaced > 0)
        damage.add(std::to_string(replaced) + (replaced == 1 ? " byte" : " bytes") +
                   " not UTF-8 read as U+FFFD");
    const std::size_t damageBefore = damage.size();
    ReadSettings read = readLayout(text, nested, budget, damage);
    if (damage.size() > damageBefore) {
        // A damaged first byte may make one layout look like the other; the damage told is
        // that of the layout the file's first byte names.
        DamageList otherDamage;
        ReadSettings other = readLayout(text, !nested, budget, otherDamage);
        if (valueCount(other.values) > valueCount(read.values)) read = std::move(other);
    }
    if (layout) checkLayout(*layout, read, damage);
    read.damage = damage.text();
    return read;
}

std::string renderSettings(const SettingsDocument& values) {
    std::string text = "[\n";
    bool first = true;
    for (const auto& [app, sections] : values)
        for (const auto& [section, keys] : sections)
            for (const auto& [key, value] : keys) {
                text += first ? "" : ",\n";
                first = false;
                // The check value covers the texts as they will read back.
                std::size_t replaced = 0;
                const SettingsKey where{withValidUtf8(app, replaced),
                                        withValidUtf8(section, replaced),
                                        withValidUtf8(key, replaced)};
                const std::string valid = withValidUtf8(value, replaced);
                text += "[" + quotedJson(std::get<0>(where)) + ", " +
                        quotedJson(std::get<1>(where)) + ", " + quotedJson(std::get<2>(where)) +
                        ", " + quotedJson(valid) + ", \"" + checkValue(where, valid) + "\"]";
            }
    return text + (first ? "" : "\n") + "]\n";
}

}  // namespace vk
