#include "image.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "font.h"

namespace vk::gen {
namespace {

int clampChannel(double value) {
    return static_cast<int>(std::clamp(std::lround(value), 0L, 255L));
}

}  // namespace

Color mix(Color from, Color to, double t) {
    t = std::clamp(t, 0.0, 1.0);
    auto channel = [t](int a, int b) { return clampChannel(a + (b - a) * t); };
    return rgba(channel(redOf(from), redOf(to)), channel(greenOf(from), greenOf(to)),
                channel(blueOf(from), blueOf(to)), channel(alphaOf(from), alphaOf(to)));
}

Color shade(Color c, double factor) {
    return rgba(clampChannel(redOf(c) * factor), clampChannel(greenOf(c) * factor),
                clampChannel(blueOf(c) * factor), alphaOf(c));
}

int textWidth(std::string_view text, TextStyle style) {
    const auto count = static_cast<int>(font::glyphCodes(text).size());
    if (count == 0) return 0;
    const int bold = style.bold ? 1 : 0;
    return (count - 1) * (font::kAdvance * style.scaleX + bold) + font::kGlyphWidth * style.scaleX +
           bold;
}

int textCapHeight(TextStyle style) { return font::kCapHeight * style.scaleY; }

Canvas::Canvas(int width, int height, Color background)
    : width_(width),
      height_(height),
      pixels_(static_cast<std::size_t>(width) * height, background) {
    if (width <= 0 || height <= 0) throw std::invalid_argument("canvas needs a positive size");
}

Color Canvas::at(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return kTransparent;
    return pixels_[static_cast<std::size_t>(y) * width_ + x];
}

void Canvas::set(int x, int y, Color c) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    pixels_[static_cast<std::size_t>(y) * width_ + x] = c;
}

void Canvas::blend(int x, int y, Color c) {
    const int sourceAlpha = alphaOf(c);
    if (sourceAlpha == 255) return set(x, y, c);
    if (sourceAlpha == 0) return;
    const Color under = at(x, y);
    const double sa = sourceAlpha / 255.0;
    const double da = alphaOf(under) / 255.0 * (1.0 - sa);
    const double outAlpha = sa + da;
    auto channel = [&](int s, int d) { return clampChannel((s * sa + d * da) / outAlpha); };
    set(x, y,
        rgba(channel(redOf(c), redOf(under)), channel(greenOf(c), greenOf(under)),
             channel(blueOf(c), blueOf(under)), clampChannel(outAlpha * 255.0)));
}

void Canvas::fill(Color c) { std::fill(pixels_.begin(), pixels_.end(), c); }

void Canvas::fillRect(int x, int y, int w, int h, Color c) {
    for (int row = std::max(y, 0); row < std::min(y + h, height_); ++row) {
        for (int column = std::max(x, 0); column < std::min(x + w, width_); ++column) {
            blend(column, row, c);
        }
    }
}

void Canvas::frameRect(int x, int y, int w, int h, Color c, int thickness) {
    fillRect(x, y, w, thickness, c);
    fillRect(x, y + h - thickness, w, thickness, c);
    fillRect(x, y + thickness, thickness, h - 2 * thickness, c);
    fillRect(x + w - thickness, y + thickness, thickness, h - 2 * thickness, c);
}

void Canvas::verticalGradient(int x, int y, int w, int h, Color top, Color bottom) {
    for (int row = 0; row < h; ++row) {
        const double t = h > 1 ? static_cast<double>(row) / (h - 1) : 0.0;
        fillRect(x, y + row, w, 1, mix(top, bottom, t));
    }
}

void Canvas::fillCircle(Point centre, double radius, Color c) {
    fillEllipse(centre, radius, radius, c);
}

void Canvas::fillEllipse(Point centre, double rx, double ry, Color c) {
    if (rx <= 0 || ry <= 0) return;
    const int top = static_cast<int>(std::floor(centre.y - ry));
    const int bottom = static_cast<int>(std::ceil(centre.y + ry));
    for (int y = top; y <= bottom; ++y) {
        const double dy = (y + 0.5 - centre.y) / ry;
        if (dy * dy > 1.0) continue;
        const double half = rx * std::sqrt(1.0 - dy * dy);
        // Pixels whose centres fall inside the ellipse.
        const int left = static_cast<int>(std::ceil(centre.x - half - 0.5));
        const int right = static_cast<int>(std::floor(centre.x + half - 0.5));
        fillRect(left, y, right - left + 1, 1, c);
    }
}

void Canvas::line(Point from, Point to, double thickness, Color c) {
    const double dx = to.x - from.x;
    const double dy = to.y - from.y;
    const double length = std::hypot(dx, dy);
    const double half = thickness / 2.0;
    if (length > 0) {
        const double nx = -dy / length * half;
        const double ny = dx / length * half;
        fillPolygon({{from.x + nx, from.y + ny},
                     {to.x + nx, to.y + ny},
                     {to.x - nx, to.y - ny},
                     {from.x - nx, from.y - ny}},
                    c);
    }
    // Caps are drawn opaque-only to avoid double blending where they overlap the body.
    if (alphaOf(c) == 255) {
        fillCircle(from, half, c);
        fillCircle(to, half, c);
    }
}

void Canvas::fillPolygon(const std::vector<Point>& outline, Color c) {
    if (outline.size() < 3) return;
    double minY = outline.front().y;
    double maxY = minY;
    for (const Point& p : outline) {
        minY = std::min(minY, p.y);
        maxY = std::max(maxY, p.y);
    }
    std::vector<double> crossings;
    for (int y = std::max(0, static_cast<int>(std::floor(minY)));
         y <= std::min(height_ - 1, static_cast<int>(std::ceil(maxY))); ++y) {
        const double sampleY = y + 0.5;
        crossings.clear();
        for (std::size_t i = 0; i < outline.size(); ++i) {
            const Point& a = outline[i];
            const Point& b = outline[(i + 1) % outline.size()];
            if ((a.y <= sampleY) == (b.y <= sampleY)) continue;
            crossings.push_back(a.x + (sampleY - a.y) / (b.y - a.y) * (b.x - a.x));
        }
        std::sort(crossings.begin(), crossings.end());
        for (std::size_t i = 0; i + 1 < crossings.size(); i += 2) {
            const int left = static_cast<int>(std::ceil(crossings[i] - 0.5));
            const int right = static_cast<int>(std::ceil(crossings[i + 1] - 0.5));
            fillRect(left, y, right - left, 1, c);
        }
    }
}

void Canvas::radialGlow(Point centre, double radius, Color c) {
    const int left = static_cast<int>(std::floor(centre.x - radius));
    const int top = static_cast<int>(std::floor(centre.y - radius));
    for (int y = top; y <= centre.y + radius; ++y) {
        for (int x = left; x <= centre.x + radius; ++x) {
            const double d = std::hypot(x + 0.5 - centre.x, y + 0.5 - centre.y) / radius;
            if (d >= 1.0) continue;
            const double strength = (1.0 - d) * (1.0 - d);
            blend(x, y, withAlpha(c, clampChannel(alphaOf(c) * strength)));
        }
    }
}

template <typename Paint>
void Canvas::rasteriseText(int x, int y, std::string_view text, TextStyle style, Paint paint) {
    int penX = x;
    for (const char32_t code : font::glyphCodes(text)) {
        for (int gy = 0; gy < font::kCellHeight; ++gy) {
            for (int gx = 0; gx < font::kGlyphWidth; ++gx) {
                if (!font::glyphPixel(code, gx, gy)) continue;
                // At scale 1 a bold stroke must not close a one-pixel gap (m, w, @).
                const bool widen =
                    style.bold && (style.scaleX > 1 || !font::glyphPixel(code, gx + 2, gy));
                const int width = style.scaleX + (widen ? 1 : 0);
                for (int sy = 0; sy < style.scaleY; ++sy) {
                    const int py = y + gy * style.scaleY + sy;
                    for (int sx = 0; sx < width; ++sx) paint(penX + gx * style.scaleX + sx, py);
                }
            }
        }
        penX += font::kAdvance * style.scaleX + (style.bold ? 1 : 0);
    }
}

void Canvas::drawText(int x, int y, std::string_view text, Color c, TextStyle style) {
    rasteriseText(x, y, text, style, [&](int px, int py) { blend(px, py, c); });
}

void Canvas::drawTextGradient(int x, int y, std::string_view text, Color top, Color bottom,
                              TextStyle style) {
    const double span = std::max(1, textCapHeight(style) - 1);
    rasteriseText(x, y, text, style,
                  [&](int px, int py) { blend(px, py, mix(top, bottom, (py - y) / span)); });
}

void Canvas::draw(const Canvas& source, int x, int y, double opacity) {
    for (int sy = 0; sy < source.height(); ++sy) {
        for (int sx = 0; sx < source.width(); ++sx) {
            const Color c = source.at(sx, sy);
            blend(x + sx, y + sy, withAlpha(c, clampChannel(alphaOf(c) * opacity)));
        }
    }
}

void Canvas::keepWhere(const Canvas& mask) {
    if (mask.width() != width_ || mask.height() != height_) {
        throw std::invalid_argument("mask and canvas differ in size");
    }
    for (std::size_t i = 0; i < pixels_.size(); ++i) {
        const Color c = pixels_[i];
        pixels_[i] = withAlpha(c, alphaOf(c) * alphaOf(mask.pixels()[i]) / 255);
    }
}

void Canvas::outline(Color c) {
    const Canvas before = *this;
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            if (alphaOf(before.at(x, y)) != 0) continue;
            bool touches = false;
            for (int dy = -1; dy <= 1 && !touches; ++dy) {
                for (int dx = -1; dx <= 1 && !touches; ++dx) {
                    touches = alphaOf(before.at(x + dx, y + dy)) != 0;
                }
            }
            if (touches) set(x, y, c);
        }
    }
}

Canvas Canvas::downscaled(int factor) const {
    if (factor < 1 || width_ % factor != 0 || height_ % factor != 0) {
        throw std::invalid_argument("downscale factor must divide the canvas size");
    }
    Canvas result(width_ / factor, height_ / factor);
    const double samples = factor * factor;
    for (int y = 0; y < result.height(); ++y) {
        for (int x = 0; x < result.width(); ++x) {
            // Averaged with premultiplied alpha so transparent pixels do not darken edges.
            double r = 0, g = 0, b = 0, a = 0;
            for (int sy = 0; sy < factor; ++sy) {
                for (int sx = 0; sx < factor; ++sx) {
                    const Color c = at(x * factor + sx, y * factor + sy);
                    const double alpha = alphaOf(c);
                    r += redOf(c) * alpha;
                    g += greenOf(c) * alpha;
                    b += blueOf(c) * alpha;
                    a += alpha;
                }
            }
            if (a == 0) continue;
            result.set(x, y,
                       rgba(clampChannel(r / a), clampChannel(g / a), clampChannel(b / a),
                            clampChannel(a / samples)));
        }
    }
    return result;
}

Canvas Canvas::mirrored() const {
    Canvas result(width_, height_);
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) result.set(width_ - 1 - x, y, at(x, y));
    }
    return result;
}

}  // namespace vk::gen
