#include "store_art.h"

#include <stdexcept>

#include "widgets.h"

namespace vk::gen {
namespace {

constexpr int kSuper = 4;

// A heart centred on `centre`, `size` wide, in canvas pixels.
void drawHeartShape(Canvas& c, Point centre, double size, Color colour) {
    const double r = size / 4.0;
    c.fillCircle({centre.x - r, centre.y - r * 0.6}, r, colour);
    c.fillCircle({centre.x + r, centre.y - r * 0.6}, r, colour);
    c.fillPolygon({{centre.x - 2 * r + r * 0.07, centre.y - r * 0.3},
                   {centre.x + 2 * r - r * 0.07, centre.y - r * 0.3},
                   {centre.x, centre.y + r * 2.1}},
                  colour);
}

void drawHeart(Canvas& c, Point centre, double size) {
    drawHeartShape(c, centre, size + 3.0 * kSuper, palette::kInk);
    drawHeartShape(c, centre, size, palette::kBloodLight);
    drawHeartShape(c, {centre.x + size * 0.04, centre.y + size * 0.06}, size * 0.8,
                   palette::kBlood);
    c.fillEllipse({centre.x - size * 0.26, centre.y - size * 0.2}, size * 0.09, size * 0.06,
                  rgba(255, 210, 200, 220));
}

}  // namespace

Canvas livesPicture(int lives) {
    if (lives < 1 || lives > 3) throw std::out_of_range("lives pictures show one to three hearts");
    constexpr int kW = 57;
    constexpr int kH = 49;
    constexpr double kHeartSize = 13;
    constexpr double kSpacing = 18;
    Canvas big(kW * kSuper, kH * kSuper);
    const double firstX = kW / 2.0 - (lives - 1) * kSpacing / 2.0;
    for (int i = 0; i < lives; ++i) {
        drawHeart(big, {(firstX + i * kSpacing) * kSuper, kH / 2.0 * kSuper}, kHeartSize * kSuper);
    }
    return big.downscaled(kSuper);
}

Canvas struckOffPortrait() {
    constexpr int kSize = 57;
    Canvas big = steelTile(kSize * kSuper, kSize * kSuper);
    // The tile's bevel is drawn at the reduced size below; here only the cross.
    const double a = 12.0 * kSuper;
    const double b = (kSize - 12.0) * kSuper;
    for (const auto& [width, colour] :
         {std::pair{11.0, palette::kInk}, {8.0, palette::kBlood}, {4.0, palette::kBloodLight}}) {
        big.line({a, a}, {b, b}, width * kSuper, colour);
        big.line({b, a}, {a, b}, width * kSuper, colour);
    }
    Canvas c = big.downscaled(kSuper);
    Canvas tile = steelTile(kSize, kSize);
    // Keep the crisp bevel of a tile drawn at full size around the cross.
    for (int y = 3; y < kSize - 3; ++y) {
        for (int x = 3; x < kSize - 3; ++x) tile.set(x, y, c.at(x, y));
    }
    return tile;
}

}  // namespace vk::gen
