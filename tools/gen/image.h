// An RGBA canvas with the drawing helpers the artwork is built from. Shapes are blended
// over what is already there (straight alpha); fill() and set() overwrite.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace vk::gen {

using Color = std::uint32_t;  // 0xRRGGBBAA
constexpr Color kTransparent = 0x00000000;

constexpr Color rgba(int r, int g, int b, int a = 255) {
    return (static_cast<Color>(r & 0xFF) << 24) | (static_cast<Color>(g & 0xFF) << 16) |
           (static_cast<Color>(b & 0xFF) << 8) | static_cast<Color>(a & 0xFF);
}
constexpr int redOf(Color c) { return static_cast<int>((c >> 24) & 0xFF); }
constexpr int greenOf(Color c) { return static_cast<int>((c >> 16) & 0xFF); }
constexpr int blueOf(Color c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int alphaOf(Color c) { return static_cast<int>(c & 0xFF); }
constexpr Color withAlpha(Color c, int alpha) { return (c & 0xFFFFFF00u) | (alpha & 0xFF); }

// Channel-wise blend: t = 0 gives `from`, t = 1 gives `to`.
Color mix(Color from, Color to, double t);
// Scales the colour channels (not alpha) by `factor`, clamped.
Color shade(Color c, double factor);

struct Point {
    double x;
    double y;
};

// Integer scales of the built-in font; scaleY > scaleX gives a condensed, tall face.
struct TextStyle {
    int scaleX = 1;
    int scaleY = 1;
    bool bold = false;  // widens each stroke (and the letter spacing) by one pixel

    static TextStyle scaled(int scale, bool bold = false) { return {scale, scale, bold}; }
};

// Width of a line of text (its glyph cells, without the spacing after the last one) and
// the height of its capitals.
int textWidth(std::string_view text, TextStyle style);
int textCapHeight(TextStyle style);

class Canvas {
  public:
    Canvas(int width, int height, Color background = kTransparent);

    int width() const { return width_; }
    int height() const { return height_; }
    const std::vector<Color>& pixels() const { return pixels_; }

    // Outside the canvas: at() reads transparent, set() and blend() do nothing.
    Color at(int x, int y) const;
    void set(int x, int y, Color c);
    void blend(int x, int y, Color c);

    void fill(Color c);
    void fillRect(int x, int y, int w, int h, Color c);
    void frameRect(int x, int y, int w, int h, Color c, int thickness = 1);
    void verticalGradient(int x, int y, int w, int h, Color top, Color bottom);
    void fillCircle(Point centre, double radius, Color c);
    void fillEllipse(Point centre, double rx, double ry, Color c);
    // A stroke with round ends.
    void line(Point from, Point to, double thickness, Color c);
    // Even-odd fill of a closed outline.
    void fillPolygon(const std::vector<Point>& outline, Color c);
    // A soft disc whose opacity falls to nothing at `radius`.
    void radialGlow(Point centre, double radius, Color c);

    // (x, y) is the top-left corner of the first capital.
    void drawText(int x, int y, std::string_view text, Color c, TextStyle style = {});
    // Colour runs from `top` at the top of the capitals to `bottom` at the baseline.
    void drawTextGradient(int x, int y, std::string_view text, Color top, Color bottom,
                          TextStyle style = {});

    // Composites `source` with its top-left corner at (x, y), its alpha scaled by `opacity`.
    void draw(const Canvas& source, int x, int y, double opacity = 1.0);
    // Multiplies every pixel's alpha by the alpha of the same pixel of `mask` (same size).
    void keepWhere(const Canvas& mask);
    // Paints `c` on every transparent pixel touching a visible one.
    void outline(Color c);
    // Box-filtered reduction by a whole factor (supersampled drawing).
    Canvas downscaled(int factor) const;
    Canvas mirrored() const;

  private:
    template <typename Paint>
    void rasteriseText(int x, int y, std::string_view text, TextStyle style, Paint paint);

    int width_;
    int height_;
    std::vector<Color> pixels_;
};

}  // namespace vk::gen
