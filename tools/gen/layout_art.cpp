#include "layout_art.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include "figure.h"
#include "font.h"
#include "random.h"
#include "widgets.h"

namespace vk::gen {
namespace {

// The help picture's text: each player's keys in a column of their own, left and right of
// the info screen's OK button, which sits in the middle of the picture.
struct KeyLine {
    std::string_view keys;
    std::string_view action;
};
struct KeyColumn {
    std::string_view heading;
    int left;  // pixels from the picture's left edge
    std::array<KeyLine, 8> lines;
};
constexpr std::array<KeyColumn, 2> kKeyColumns = {{
    {"LEFT PLAYER",
     64,
     {{{"A", "walk left"},
       {"D", "walk right"},
       {"W", "jump"},
       {"S", "dash back"},
       {"T", "high punch"},
       {"G", "low punch"},
       {"Z", "high kick"},
       {"H", "low kick"}}}},
    {"RIGHT PLAYER",
     476,
     {{{"LEFT", "walk left"},
       {"RIGHT", "walk right"},
       {"UP", "jump"},
       {"DOWN", "dash back"},
       {"INSERT", "high punch"},
       {"DELETE", "low punch"},
       {"HOME", "high kick"},
       {"END", "low kick"}}}},
}};
constexpr std::string_view kHelpFooter = "Any key closes this screen";

// ---- title picture ------------------------------------------------------------------

// The title's scene is drawn at twice its size and reduced, which smooths every edge.
constexpr int kTitleSuper = 2;
constexpr int kTitleWidth = 800;
constexpr int kTitleHeight = 600;
constexpr double kHorizon = 400;
constexpr double kFightersGround = 446;
// The title screen's mail and web pictures lie along its top edge down to this row; the
// game's name stands clear below them.
constexpr int kLinkPicturesBottom = 45;
constexpr int kNameTop = kLinkPicturesBottom + 15;
constexpr int kNameScale = 14;

Point sup(double x, double y) { return {x * kTitleSuper, y * kTitleSuper}; }

void drawSky(Canvas& c) {
    const int horizon = static_cast<int>(kHorizon * kTitleSuper);
    c.verticalGradient(0, 0, c.width(), horizon, rgba(8, 3, 14), rgba(104, 18, 22));
    c.radialGlow(sup(400, 330), 330.0 * kTitleSuper, rgba(255, 96, 40, 150));
}

void drawSun(Canvas& c) {
    // A blood-red sun, brighter towards its centre.
    constexpr int kRings = 24;
    for (int i = 0; i < kRings; ++i) {
        const double t = static_cast<double>(i) / (kRings - 1);
        c.fillCircle(sup(400, 318), (140.0 - 60.0 * t * t) * kTitleSuper,
                     mix(rgba(186, 40, 26), rgba(255, 170, 84), t));
    }
    // Streaks of cloud across it.
    for (const auto& [y, half] : {std::pair{262.0, 190.0}, {300.0, 240.0}, {338.0, 170.0}}) {
        c.fillEllipse(sup(400 + half / 6, y), half * kTitleSuper, 5.0 * kTitleSuper,
                      rgba(40, 6, 12, 150));
    }
}

// A mountain ridge between the given heights, seeded so it never changes.
void drawRidge(Canvas& c, std::uint32_t seed, double low, double high, Color colour) {
    Random random(seed);
    std::vector<Point> outline = {sup(0, kHorizon + 2)};
    for (double x = 0; x <= kTitleWidth + 40; x += random.between(30, 70)) {
        outline.push_back(sup(x, random.between(high, low)));
    }
    outline.push_back(sup(kTitleWidth + 40, kHorizon + 2));
    c.fillPolygon(outline, colour);
}

void drawGround(Canvas& c) {
    const int top = static_cast<int>(kHorizon * kTitleSuper);
    c.verticalGradient(0, top, c.width(), c.height() - top, rgba(40, 10, 12), rgba(8, 3, 4));
    // Light of the sun on the ground, kept well above the button band.
    c.fillEllipse(sup(400, kHorizon + 6), 300.0 * kTitleSuper, 14.0 * kTitleSuper,
                  rgba(120, 30, 20, 70));
    c.fillEllipse(sup(400, kHorizon + 3), 180.0 * kTitleSuper, 5.0 * kTitleSuper,
                  rgba(200, 70, 40, 60));
}

void drawEmbers(Canvas& c) {
    Random random(0xE3BE2);
    for (int i = 0; i < 70; ++i) {
        const Point p = sup(random.between(10, 790), random.between(150, 430));
        const double size = random.between(0.8, 2.2) * kTitleSuper;
        c.radialGlow(p, size * 4, rgba(255, 120, 40, 90));
        c.fillCircle(p, size / 2, rgba(255, 200, 120, 220));
    }
}

void drawFighter(Canvas& c, const Pose& pose, double x, bool facingLeft) {
    const Point ground = sup(x, kFightersGround);
    c.fillEllipse({ground.x, ground.y}, 90.0 * kTitleSuper, 8.0 * kTitleSuper, rgba(0, 0, 0, 170));
    // Back-lit by the sun: a bright rim on the side facing the middle.
    const double towardsSun = (facingLeft ? -3.0 : 3.0) * kTitleSuper;
    const Placement rim{
        {ground.x + towardsSun, ground.y - 2.0 * kTitleSuper}, 1.0 * kTitleSuper, facingLeft};
    drawFigure(c, pose, rim, rgba(255, 132, 64));
    drawFigure(c, pose, {ground, 1.0 * kTitleSuper, facingLeft}, rgba(10, 3, 6));
}

void drawVignette(Canvas& c) {
    const double cx = c.width() / 2.0;
    const double cy = c.height() / 2.0;
    const double reach = std::hypot(cx, cy);
    for (int y = 0; y < c.height(); ++y) {
        for (int x = 0; x < c.width(); ++x) {
            const double d = std::hypot(x - cx, y - cy) / reach;
            if (d > 0.6) c.blend(x, y, rgba(0, 0, 0, static_cast<int>(200 * (d - 0.6) / 0.4)));
        }
    }
}

void drawGameName(Canvas& c, int y, int scale) {
    const TextStyle style = TextStyle::scaled(scale);
    const int x = (c.width() - textWidth("VORKALA", style)) / 2;
    c.radialGlow({c.width() / 2.0, y + textCapHeight(style) / 2.0},
                 textWidth("VORKALA", style) * 0.6, rgba(255, 80, 30, 70));
    drawLettering(
        c, x, y, "VORKALA", style,
        {rgba(255, 244, 190), rgba(222, 58, 22), palette::kInk, scale / 4 + 1, scale / 3});
}

// ---- help picture -------------------------------------------------------------------

constexpr int kHeadingScale = 3;
constexpr int kKeyScale = 2;
constexpr int kHelpFirstLine = 128;
constexpr int kHeadingPitch = 38;
constexpr int kKeyPitch = 28;
constexpr int kHelpFooterTop = 480;

// The actions of a column line up just right of its widest keys.
int actionColumn(const KeyColumn& column) {
    const TextStyle style = TextStyle::scaled(kKeyScale);
    int widest = 0;
    for (const KeyLine& line : column.lines) widest = std::max(widest, textWidth(line.keys, style));
    return column.left + widest + 2 * kKeyScale * font::kAdvance;
}

void drawKeyColumn(Canvas& c, const KeyColumn& column) {
    c.fillRect(column.left - 18, kHelpFirstLine + 6, 12, 9, palette::kBloodLight);
    drawLettering(c, column.left, kHelpFirstLine, column.heading, TextStyle::scaled(kHeadingScale),
                  {palette::kGoldLight, palette::kGold});
    const TextStyle style = TextStyle::scaled(kKeyScale);
    const int actionX = actionColumn(column);
    int y = kHelpFirstLine + kHeadingPitch;
    for (const KeyLine& line : column.lines) {
        drawLettering(c, column.left, y, line.keys, style,
                      {rgba(255, 214, 120), rgba(240, 150, 60)});
        drawLettering(c, actionX, y, line.action, style, {palette::kPaper, rgba(190, 180, 176)});
        y += kKeyPitch;
    }
}

void drawHelpFooter(Canvas& c) {
    const TextStyle style = TextStyle::scaled(kHeadingScale);
    drawCentredLettering(c, {0, kHelpFooterTop, c.width(), textCapHeight(style)}, kHelpFooter,
                         style, {rgba(200, 160, 160), rgba(160, 110, 110), palette::kInk, 1, 0});
}

void drawHelpFrame(Canvas& c) {
    c.verticalGradient(0, 0, c.width(), c.height(), rgba(30, 10, 14), rgba(10, 4, 6));
    drawBevel(c, {0, 0, c.width(), c.height()}, palette::kBloodLight, palette::kBloodDark, 4);
    c.frameRect(12, 12, c.width() - 24, c.height() - 24, withAlpha(palette::kGold, 140));
    for (const Point corner : {Point{12, 12},
                               {c.width() - 13.0, 12},
                               {12, c.height() - 13.0},
                               {c.width() - 13.0, c.height() - 13.0}}) {
        c.fillPolygon({{corner.x - 6, corner.y},
                       {corner.x, corner.y - 6},
                       {corner.x + 6, corner.y},
                       {corner.x, corner.y + 6}},
                      palette::kGold);
    }
}

void drawHelpWatermark(Canvas& c) {
    Canvas figure(c.width(), c.height());
    drawFigure(figure, highGuardStance(), {{c.width() - 130.0, c.height() - 40.0}, 1.5, true},
               palette::kBloodLight);
    c.draw(figure, 0, 0, 0.09);
}

void drawHelpTitle(Canvas& c) {
    const TextStyle style = TextStyle::scaled(6);
    drawCentredLettering(c, {0, 34, c.width(), textCapHeight(style)}, "CONTROLS", style,
                         {rgba(255, 244, 190), rgba(222, 58, 22), palette::kInk, 2, 3});
    const int y = 34 + textCapHeight(style) + 18;
    c.line({80, y + 0.5}, {c.width() - 80.0, y + 0.5}, 2, withAlpha(palette::kGold, 160));
    const double mid = c.width() / 2.0;
    c.fillPolygon({{mid - 8, y + 0.5}, {mid, y - 7.5}, {mid + 8, y + 0.5}, {mid, y + 8.5}},
                  palette::kGold);
}

// ---- small pieces -------------------------------------------------------------------

void drawMonitor(Canvas& c, int x, int y) {
    c.fillRect(x, y, 40, 30, palette::kInk);
    c.fillRect(x + 1, y + 1, 38, 28, palette::kSteelLight);
    c.verticalGradient(x + 4, y + 4, 32, 22, rgba(20, 40, 60), rgba(8, 14, 24));
    // Lines of a program on the screen.
    const std::array<int, 4> lengths = {18, 24, 12, 20};
    for (std::size_t i = 0; i < lengths.size(); ++i) {
        c.fillRect(x + 7, y + 7 + static_cast<int>(i) * 4, lengths[i], 2, rgba(120, 230, 140));
    }
    c.fillPolygon(
        {{x + 16.0, y + 30.0}, {x + 24.0, y + 30.0}, {x + 27.0, y + 36.0}, {x + 13.0, y + 36.0}},
        palette::kSteelLight);
    c.fillRect(x + 8, y + 36, 24, 3, palette::kSteelLight);
    c.frameRect(x + 8, y + 36, 24, 3, palette::kInk);
}

// A circle of transparency outside the given disc.
Canvas discMask(int w, int h, Point centre, double radius) {
    Canvas mask(w, h);
    mask.fillCircle(centre, radius, rgba(255, 255, 255));
    return mask;
}

}  // namespace

Canvas titleArt() {
    Canvas c(kTitleWidth * kTitleSuper, kTitleHeight * kTitleSuper);
    drawSky(c);
    drawSun(c);
    drawRidge(c, 0x71D6E, 300, 370, rgba(52, 10, 20));
    drawRidge(c, 0x2A11E, 352, 392, rgba(26, 6, 12));
    drawGround(c);
    drawEmbers(c);
    drawFighter(c, jabStance(), 250, false);
    drawFighter(c, highGuardStance(), 556, true);
    // Blocky lettering and a soft vignette gain nothing from supersampling.
    Canvas title = c.downscaled(kTitleSuper);
    drawVignette(title);
    drawGameName(title, kNameTop, kNameScale);
    return title;
}

Canvas helpArt() {
    Canvas c(784, 562);
    drawHelpFrame(c);
    drawHelpWatermark(c);
    drawHelpTitle(c);
    for (const KeyColumn& column : kKeyColumns) drawKeyColumn(c, column);
    drawHelpFooter(c);
    return c;
}

Canvas comboArt() {
    constexpr int kW = 186, kH = 46, kMargin = 4;
    Canvas c(kW, kH);
    // The largest bold lettering that fits with its outline and shadow.
    TextStyle style = TextStyle::scaled(8, true);
    while (style.scaleX > 1 && (textWidth("COMBO!", style) > kW - 2 * kMargin ||
                                textCapHeight(style) > kH - 2 * kMargin)) {
        style = TextStyle::scaled(style.scaleX - 1, true);
    }
    drawCentredLettering(c, {0, 0, kW, kH}, "COMBO!", style,
                         {rgba(255, 246, 150), rgba(236, 64, 20), palette::kInk, 2, 2});
    return c;
}

Canvas linkLabel(int w, int h, std::string_view text) {
    Canvas c(w, h, palette::kInk);
    c.verticalGradient(1, 1, w - 2, h - 2, rgba(36, 12, 16), rgba(16, 6, 8));
    c.frameRect(0, 0, w, h, palette::kBloodDark);
    // Tall condensed letters fit the long addresses into the narrow strips.
    const TextStyle style{1, 2, true};
    const int x = (w - textWidth(text, style)) / 2;
    const int y = (h - font::kCellHeight * style.scaleY) / 2 + 1;
    drawLettering(c, x, y, text, style,
                  {palette::kPaper, palette::kGoldLight, palette::kInk, 1, 0});
    return c;
}

Canvas computerToggle() {
    Canvas c = buttonPlate(94, 61);
    drawMonitor(c, 9, 10);
    drawCentredLettering(c, {52, 0, 38, 61}, "PC", TextStyle::scaled(3),
                         {palette::kGoldLight, palette::kGold, palette::kInk, 1, 1});
    return c;
}

Canvas selectionTitle() {
    constexpr int kW = 210;
    constexpr int kH = 145;
    constexpr Point kCentre = {105, 50};
    Canvas c(kW, kH);
    // A medallion of two fighters squaring up, sunset behind them.
    Canvas medal(kW, kH);
    medal.verticalGradient(0, 0, kW, kH / 2 + 10, rgba(60, 10, 24), rgba(210, 70, 36));
    medal.fillRect(0, kH / 2 + 10, kW, kH, rgba(30, 8, 10));
    medal.fillCircle({kCentre.x, kCentre.y + 12}, 20, rgba(255, 160, 80));
    drawFigure(medal, jabStance(), {{kCentre.x - 22, kCentre.y + 33}, 0.27, false}, rgba(10, 3, 6));
    drawFigure(medal, highGuardStance(), {{kCentre.x + 24, kCentre.y + 33}, 0.27, true},
               rgba(10, 3, 6));
    medal.keepWhere(discMask(kW, kH, kCentre, 42));
    c.fillCircle(kCentre, 48, palette::kInk);
    c.fillCircle(kCentre, 46, palette::kGold);
    c.fillCircle({kCentre.x - 1, kCentre.y - 1}, 44, palette::kGoldLight);
    c.fillCircle(kCentre, 43, rgba(150, 96, 30));
    c.draw(medal, 0, 0);
    // A ribbon across the bottom carrying the name.
    Canvas ribbon(kW, kH);
    ribbon.verticalGradient(0, 92, kW, 46, palette::kBloodLight, palette::kBloodDark);
    Canvas ribbonShape(kW, kH);
    ribbonShape.fillPolygon({{1, 92}, {209, 92}, {197, 115}, {209, 138}, {1, 138}, {13, 115}},
                            rgba(255, 255, 255));
    ribbon.keepWhere(ribbonShape);
    ribbon.outline(palette::kInk);
    c.draw(ribbon, 0, 0);
    drawCentredLettering(c, {0, 92, kW, 46}, "VORKALA", TextStyle::scaled(4),
                         {rgba(255, 244, 190), palette::kGold, palette::kInk, 1, 1});
    return c;
}

Canvas questionCover() {
    Canvas c = steelTile(57, 57);
    drawCentredLettering(c, {0, 0, 57, 57}, "?", TextStyle::scaled(6),
                         {palette::kGoldLight, palette::kEmber, palette::kInk, 2, 2});
    return c;
}

Canvas handCursor() {
    // Drawn large and reduced, then thresholded so the cursor keeps crisp edges.
    constexpr int kSuper = 8;
    const auto p = [](double x, double y) { return Point{x * kSuper, y * kSuper}; };
    const Color skin = rgba(236, 184, 140);
    Canvas big(32 * kSuper, 32 * kSuper);
    big.line(p(7.5, 2.5), p(7.5, 16), 4.2 * kSuper, skin);     // index finger
    big.line(p(11.6, 10.5), p(11.6, 17), 4.0 * kSuper, skin);  // middle finger
    big.line(p(15.6, 11.5), p(15.6, 17), 4.0 * kSuper, skin);  // ring finger
    big.line(p(19.2, 13.5), p(19.2, 18), 3.4 * kSuper, skin);  // little finger
    big.line(p(2.8, 15), p(6, 20), 4.0 * kSuper, skin);        // thumb
    big.fillPolygon({p(5.4, 14), p(21, 14), p(21, 22), p(18, 26), p(8, 26), p(5, 21)}, skin);
    big.fillRect(8 * kSuper, 25 * kSuper, 11 * kSuper, 5 * kSuper, palette::kBlood);  // hand wrap
    Canvas c = big.downscaled(kSuper);
    for (int y = 0; y < c.height(); ++y) {
        for (int x = 0; x < c.width(); ++x) {
            const Color px = c.at(x, y);
            c.set(x, y, alphaOf(px) >= 128 ? withAlpha(px, 255) : kTransparent);
        }
    }
    // Creases between the fingers, a highlight, and a dark outline for any background.
    for (const auto& [x, top] : {std::pair{9, 9}, {13, 11}, {17, 12}}) {
        c.fillRect(x, top, 1, 17 - top, rgba(150, 92, 66));
    }
    c.fillRect(6, 3, 1, 11, rgba(255, 222, 196));
    c.fillRect(9, 27, 9, 1, palette::kBloodLight);
    c.outline(palette::kInk);
    return c;
}

}  // namespace vk::gen
