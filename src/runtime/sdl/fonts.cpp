#include "runtime/sdl/fonts.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <filesystem>

namespace vk::sdl {

namespace {

// Files of one family: regular, bold, italic, bold italic.
using Family = std::array<const char*, 4>;

constexpr Family kLiberationSans = {
    "/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf",
    "/usr/share/fonts/truetype/liberation/LiberationSans-Bold.ttf",
    "/usr/share/fonts/truetype/liberation/LiberationSans-Italic.ttf",
    "/usr/share/fonts/truetype/liberation/LiberationSans-BoldItalic.ttf"};
constexpr Family kComicNeue = {"/usr/share/fonts/opentype/comic-neue/ComicNeue-Regular.otf",
                               "/usr/share/fonts/opentype/comic-neue/ComicNeue-Bold.otf",
                               "/usr/share/fonts/opentype/comic-neue/ComicNeue-Italic.otf",
                               "/usr/share/fonts/opentype/comic-neue/ComicNeue-BoldItalic.otf"};
constexpr Family kDejaVuSans = {"/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf",
                                "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf",
                                "/usr/share/fonts/truetype/dejavu/DejaVuSans-Oblique.ttf",
                                "/usr/share/fonts/truetype/dejavu/DejaVuSans-BoldOblique.ttf"};

std::string lowercase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

const Family& familyOf(const std::string& name) {
    const std::string wanted = lowercase(name);
    if (wanted == "arial") return kLiberationSans;
    if (wanted == "comic sans ms") return kComicNeue;
    return kDejaVuSans;
}

std::optional<FontFace> faceIn(const Family& family, bool bold, bool italic) {
    const std::size_t styled = (bold ? 1u : 0u) + (italic ? 2u : 0u);
    if (std::filesystem::exists(family[styled])) return FontFace{family[styled], 0};
    if (!std::filesystem::exists(family[0])) return std::nullopt;
    const int added = (bold ? TTF_STYLE_BOLD : 0) | (italic ? TTF_STYLE_ITALIC : 0);
    return FontFace{family[0], added};
}

}  // namespace

FontFace faceFor(const Font& font) {
    if (auto face = faceIn(familyOf(font.name), font.bold, font.italic)) return *face;
    if (auto face = faceIn(kDejaVuSans, font.bold, font.italic)) return *face;
    return {};
}

int pixelSize(float points) {
    return std::max(1, static_cast<int>(std::lround(points * 96.0f / 72.0f)));
}

TTF_Font* FontBook::open(const Font& font) {
    const FontFace face = faceFor(font);
    if (face.file.empty()) return nullptr;
    const auto key = std::tuple(face.file, pixelSize(font.size), face.addedStyle);
    auto found = fonts_.find(key);
    if (found == fonts_.end()) {
        FontPtr opened(TTF_OpenFont(face.file.c_str(), pixelSize(font.size)));
        if (opened) TTF_SetFontStyle(opened.get(), face.addedStyle);
        found = fonts_.emplace(key, std::move(opened)).first;
    }
    return found->second.get();
}

}  // namespace vk::sdl
