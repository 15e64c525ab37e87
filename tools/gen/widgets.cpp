#include "widgets.h"

#include <algorithm>

namespace vk::gen {

void drawBevel(Canvas& canvas, Rect r, Color light, Color dark, int thickness) {
    for (int i = 0; i < thickness; ++i) {
        canvas.fillRect(r.x + i, r.y + i, r.w - 2 * i, 1, light);
        canvas.fillRect(r.x + i, r.y + i + 1, 1, r.h - 2 * i - 1, light);
        canvas.fillRect(r.x + i + 1, r.y + r.h - 1 - i, r.w - 2 * i - 1, 1, dark);
        canvas.fillRect(r.x + r.w - 1 - i, r.y + i + 1, 1, r.h - 2 * i - 2, dark);
    }
}

Canvas buttonPlate(int w, int h) {
    Canvas plate(w, h, palette::kInk);
    plate.verticalGradient(1, 1, w - 2, h - 2, palette::kBlood, palette::kBloodDark);
    // A glossy upper half reads as a raised surface.
    plate.fillRect(2, 2, w - 4, (h - 4) / 2, rgba(255, 255, 255, 28));
    drawBevel(plate, {1, 1, w - 2, h - 2}, palette::kBloodLight, rgba(30, 2, 4), h >= 40 ? 2 : 1);
    return plate;
}

Canvas steelTile(int w, int h) {
    Canvas tile(w, h, palette::kInk);
    tile.verticalGradient(1, 1, w - 2, h - 2, palette::kSteel, palette::kSteelDark);
    drawBevel(tile, {1, 1, w - 2, h - 2}, palette::kSteelLight, palette::kInk, 2);
    return tile;
}

TextStyle fittingStyle(std::string_view text, int maxWidth, int maxHeight, int maxScale) {
    for (int scale = maxScale; scale > 1; --scale) {
        const TextStyle style = TextStyle::scaled(scale);
        if (textWidth(text, style) <= maxWidth && textCapHeight(style) <= maxHeight) return style;
    }
    return TextStyle::scaled(1);
}

void drawLettering(Canvas& canvas, int x, int y, std::string_view text, TextStyle style,
                   const Lettering& look) {
    if (look.shadowOffset > 0) {
        const int d = look.shadowOffset + look.outlineWidth;
        canvas.drawText(x + d, y + d, text, withAlpha(palette::kInk, 150), style);
    }
    for (int dy = -look.outlineWidth; dy <= look.outlineWidth; ++dy) {
        for (int dx = -look.outlineWidth; dx <= look.outlineWidth; ++dx) {
            if (dx != 0 || dy != 0) canvas.drawText(x + dx, y + dy, text, look.outline, style);
        }
    }
    canvas.drawTextGradient(x, y, text, look.top, look.bottom, style);
}

void drawCentredLettering(Canvas& canvas, Rect box, std::string_view text, TextStyle style,
                          const Lettering& look) {
    const int x = box.x + (box.w - textWidth(text, style)) / 2;
    const int y = box.y + (box.h - textCapHeight(style)) / 2;
    drawLettering(canvas, x, y, text, style, look);
}

Canvas captionButton(int w, int h, std::string_view caption) {
    Canvas button = buttonPlate(w, h);
    const int margin = std::max(5, h / 5);
    const TextStyle style = fittingStyle(caption, w - 2 * margin, h - 2 * margin);
    drawCentredLettering(button, {0, 0, w, h}, caption, style, {});
    return button;
}

}  // namespace vk::gen
