#include "runtime/sdl/fonts.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cmath>
#include <memory>

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
