// Settings files built to cost a careless reader far more than their size, for the tests
// and the fuzzer's seeds.
#pragma once

#include <cstddef>
#include <string>

namespace vk::testing {

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
