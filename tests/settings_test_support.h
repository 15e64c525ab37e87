// What the settings tests share: files read and written whole, the store's warnings kept
// off the test's output, and settings files built to cost a careless reader far more than
// their size (also the fuzzer's seeds).
#pragma once

#include <algorithm>
#include <cstddef>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace vk::testing {

inline std::string readText(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void writeText(const std::filesystem::path& file, const std::string& text) {
    std::ofstream(file, std::ios::binary) << text;
}

// The names in a folder, sorted.
inline std::vector<std::string> folderEntries(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// Collects what the store prints to std::cerr while it lives.
class CapturedErrors {
  public:
    CapturedErrors() : previous_(std::cerr.rdbuf(captured_.rdbuf())) {}
    ~CapturedErrors() { std::cerr.rdbuf(previous_); }
    CapturedErrors(const CapturedErrors&) = delete;
    CapturedErrors& operator=(const CapturedErrors&) = delete;
    std::string text() const { return captured_.str(); }
    long lines() const {
        const std::string all = text();
        return std::count(all.begin(), all.end(), '\n');
    }

  private:
    std::ostringstream captured_;
    std::streambuf* previous_;
};

// Large enough that a reader costing more than its size shows it plainly, small enough
// for the fuzzer to run often.
inline constexpr std::size_t kCostlySettingsSize = 180 * 1024;

// About `size` bytes, half of them one long section name, the other half values that are
// not texts below it: a reader that names each damaged value by its full name writes the
// long name once per value. With `nested` false, the same in one value a line.
inline std::string damagedSettingsFile(std::size_t size, bool nested) {
    const std::string longName(size / 2, 'n');
    std::string text = nested ? "{\"Vorkala\": {\"" + longName + "\": {" : "[\n";
    std::size_t count = 0;
    while (text.size() < size) {
        const std::string key = "\"k" + std::to_string(count % 1000) + "\"";
        if (nested)
            text += (count ? ", " : "") + key + ": " + std::to_string(count);
        else
            text += (count ? ",\n" : "") + std::string("[\"Vorkala\", \"s\", ") + key + ", 1]";
        ++count;
        if (!nested && count == 1) text += ",\n[\"Vorkala\", \"" + longName + "\", \"k\", 1]";
    }
    return text + (nested ? "}}}\n" : "\n]\n");
}

}  // namespace vk::testing
