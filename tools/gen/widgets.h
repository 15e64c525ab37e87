// Shared pieces of the menu artwork: the house palette, bevelled plates and tiles,
// captions fitted into buttons, and the outlined gradient lettering of titles.
#pragma once

#include <string_view>

#include "image.h"

namespace vk::gen {

namespace palette {
constexpr Color kInk = rgba(8, 4, 6);
constexpr Color kBloodLight = rgba(196, 40, 36);
constexpr Color kBlood = rgba(138, 18, 20);
constexpr Color kBloodDark = rgba(58, 6, 8);
constexpr Color kGoldLight = rgba(255, 236, 160);
constexpr Color kGold = rgba(240, 176, 56);
constexpr Color kEmber = rgba(214, 72, 24);
constexpr Color kSteelLight = rgba(120, 112, 118);
constexpr Color kSteel = rgba(58, 52, 60);
constexpr Color kSteelDark = rgba(22, 18, 24);
constexpr Color kPaper = rgba(232, 226, 214);
}  // namespace palette

struct Rect {
    int x;
    int y;
    int w;
    int h;
};

// Raised edges: light on the top and left, dark on the bottom and right.
void drawBevel(Canvas& canvas, Rect r, Color light, Color dark, int thickness);

// The menu's red button plate filling the whole canvas.
Canvas buttonPlate(int w, int h);
// A dark steel tile (portrait covers and markers).
Canvas steelTile(int w, int h);

// The largest whole scale at which the text fits the box (at least scale 1).
TextStyle fittingStyle(std::string_view text, int maxWidth, int maxHeight, int maxScale = 16);

struct Lettering {
    Color top = palette::kGoldLight;
    Color bottom = palette::kGold;
    Color outline = palette::kInk;
    int outlineWidth = 1;
    int shadowOffset = 1;  // drop shadow down and right; 0 for none
};

// Gradient text with an outline and a drop shadow; (x, y) as in Canvas::drawText.
void drawLettering(Canvas& canvas, int x, int y, std::string_view text, TextStyle style,
                   const Lettering& look);
// The same, centred on the box (capitals centred vertically).
void drawCentredLettering(Canvas& canvas, Rect box, std::string_view text, TextStyle style,
                          const Lettering& look);

// A button plate with its caption as large as fits.
Canvas captionButton(int w, int h, std::string_view caption);

}  // namespace vk::gen
