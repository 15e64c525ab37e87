// The generator's built-in bitmap font: 5x7 capitals, digits and punctuation, lower-case
// letters with two rows of descenders. Czech letters are drawn without their accents.
#pragma once

#include <string>
#include <string_view>

namespace vk::gen::font {

constexpr int kGlyphWidth = 5;
constexpr int kCapHeight = 7;  // rows above the baseline
constexpr int kDescent = 2;    // rows below it (g, j, p, q, y and the comma)
constexpr int kCellHeight = kCapHeight + kDescent;
constexpr int kAdvance = kGlyphWidth + 1;  // one blank column between letters

// Decodes UTF-8 text into the font's characters, folding accented Czech letters to their
// base letters. Throws std::invalid_argument on a character the font cannot draw, so a
// typo in a caption stops the build instead of shipping a gap.
std::u32string glyphCodes(std::string_view utf8);

// Whether pixel (x, y) of the glyph is set; y runs from 0 (top of a capital) to
// kCellHeight - 1. The code must come from glyphCodes().
bool glyphPixel(char32_t code, int x, int y);

}  // namespace vk::gen::font
