// Text as the game keeps it: UTF-8 bytes, cut only between whole characters, and names
// compared as the player types them.
#pragma once

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <string_view>

namespace vk {

// Whether `byte` begins a UTF-8 character rather than continuing one.
constexpr bool startsCharacter(char byte) {
    return (static_cast<unsigned char>(byte) & 0xC0) != 0x80;
}

// Where the character holding byte `at` of `text` begins.
constexpr std::size_t characterStartAtOrBefore(std::string_view text, std::size_t at) {
    while (at > 0 && !startsCharacter(text[at])) --at;
    return at;
}

// Whether two names are the same but for the case of their letters.
inline bool sameIgnoringCase(std::string_view a, std::string_view b) {
    return std::ranges::equal(
        a, b, [](unsigned char x, unsigned char y) { return std::tolower(x) == std::tolower(y); });
}

}  // namespace vk
