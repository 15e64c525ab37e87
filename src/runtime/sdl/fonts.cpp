#include "runtime/sdl/fonts.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cmath>
#include <memory>

#include "runtime/text.h"

namespace vk::sdl {

namespace {

struct PatternDeleter {
    void operator()(FcPattern* pattern) const { FcPatternDestroy(pattern); }
};
using Pattern = std::unique_ptr<FcPattern, PatternDeleter>;

// The style SDL_ttf adds where the face found lacks the weight or slant asked for.
int missingStyle(const Font& font, const FcPattern& found) {
    int weight = FC_WEIGHT_REGULAR;
    int slant = FC_SLANT_ROMAN;
    FcPatternGetInteger(&found, FC_WEIGHT, 0, &weight);
    FcPatternGetInteger(&found, FC_SLANT, 0, &slant);
    return (font.bold && weight < FC_WEIGHT_BOLD ? TTF_STYLE_BOLD : 0) |
           (font.italic && slant == FC_SLANT_ROMAN ? TTF_STYLE_ITALIC : 0);
}

}  // namespace

FontFace faceFor(const Font& font) {
    static const bool ready = FcInit() == FcTrue;
    if (!ready) return {};
    const Pattern wanted(FcPatternBuild(
        nullptr, FC_FAMILY, FcTypeString, font.name.c_str(), FC_WEIGHT, FcTypeInteger,
        font.bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR, FC_SLANT, FcTypeInteger,
        font.italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN, FC_SCALABLE, FcTypeBool, FcTrue, nullptr));
    if (!wanted) return {};
    FcConfigSubstitute(nullptr, wanted.get(), FcMatchPattern);
    FcDefaultSubstitute(wanted.get());
    FcResult result = FcResultNoMatch;
    const Pattern found(FcFontMatch(nullptr, wanted.get(), &result));
    FcChar8* file = nullptr;
    if (!found || FcPatternGetString(found.get(), FC_FILE, 0, &file) != FcResultMatch) return {};
    return {reinterpret_cast<const char*>(file), missingStyle(font, *found)};
}

int pixelSize(float points) {
    return std::max(1, static_cast<int>(std::lround(points * 96.0f / 72.0f)));
}

namespace {

// The byte where the character `count` characters after (or, negative, before) `from`
// starts, or the text's end (start) when there are fewer.
std::size_t stepCharacters(std::string_view text, std::size_t from, long count) {
    std::size_t at = from;
    for (; count > 0 && at < text.size(); --count) {
        ++at;
        while (at < text.size() && !startsCharacter(text[at])) ++at;
    }
    for (; count < 0 && at > 0; ++count) at = characterStartAtOrBefore(text, at - 1);
    return at;
}

}  // namespace

std::string_view visiblePart(std::string_view text, int width, int height, int lineHeight,
                             bool wrap, Alignment alignment) {
    const long lines = std::max(height, 0) / std::max(lineHeight, 1) + 2;
    const long shown = lines * (std::max(width, 0) + 1);
    if (text.size() <= static_cast<std::size_t>(shown)) return text;  // fewer characters
    if (wrap || alignment == Alignment::Left) return text.substr(0, stepCharacters(text, 0, shown));
    if (alignment == Alignment::Right)
        return text.substr(stepCharacters(text, text.size(), -shown));
    const std::size_t middle = stepCharacters(text, text.size() / 2, -1);
    const std::size_t first = stepCharacters(text, middle, -shown / 2);
    return text.substr(first, stepCharacters(text, middle, shown / 2) - first);
}

int FontBook::lineHeight(const Font& font) {
    TTF_Font* ttf = open(font);
    return ttf ? std::max(1, TTF_FontLineSkip(ttf)) : 1;
}

TTF_Font* FontBook::open(const Font& font) {
    const auto key = std::tuple(font.name, font.bold, font.italic, pixelSize(font.size));
    auto found = fonts_.find(key);
    if (found == fonts_.end()) {
        // A face that cannot be opened is remembered too, so it is not looked up again.
        const FontFace face = faceFor(font);
        FontPtr opened(face.file.empty() ? nullptr
                                         : TTF_OpenFont(face.file.c_str(), pixelSize(font.size)));
        if (opened) TTF_SetFontStyle(opened.get(), face.addedStyle);
        found = fonts_.emplace(key, std::move(opened)).first;
    }
    return found->second.get();
}

}  // namespace vk::sdl
