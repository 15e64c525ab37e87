#include "fighter_art.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <stdexcept>
#include <string_view>
#include <vector>

#include "fight/floor.h"
#include "figure.h"
#include "random.h"
#include "runtime/runtime.h"

namespace vk::gen {
namespace {

// ---- colour schemes ---------------------------------------------------------------

std::uint32_t hashOf(std::string_view text) {
    std::uint32_t h = 2166136261u;  // FNV-1a
    for (char c : text) {
        h ^= static_cast<unsigned char>(c);
        h *= 16777619u;
    }
    return h;
}

constexpr std::array<Color, 5> kSkins = {rgba(241, 196, 160), rgba(224, 172, 128),
                                         rgba(196, 140, 98), rgba(150, 100, 66),
                                         rgba(250, 214, 186)};
constexpr std::array<Color, 6> kHairs = {rgba(40, 28, 20),  rgba(96, 60, 30), rgba(214, 170, 80),
                                         rgba(150, 46, 24), rgba(20, 20, 24), rgba(120, 120, 126)};
constexpr std::array<Color, 10> kClothes = {
    rgba(200, 30, 36),  rgba(30, 90, 200),  rgba(30, 150, 60),  rgba(240, 190, 30),
    rgba(130, 40, 170), rgba(240, 120, 20), rgba(20, 160, 170), rgba(235, 235, 230),
    rgba(40, 40, 48),   rgba(200, 60, 140)};

template <typename Array>
Color pick(const Array& colours, Random& random) {
    return colours[static_cast<std::size_t>(random.wholeBetween(0, colours.size() - 1))];
}

// Fighters drawn with long hair and a full top.
bool drawnWithLongHair(std::string_view code) {
    for (std::string_view name : {"girl", "Zuvka", "lirka", "oxa"})
        if (code == name) return true;
    return false;
}

}  // namespace

FighterLook lookOf(const vorkala::Fighter& fighter) {
    const std::string_view code = fighter.code;
    Random random(hashOf(code));
    random.next();
    FighterLook look{};
    look.skin = pick(kSkins, random);
    look.hair = pick(kHairs, random);
    look.top = pick(kClothes, random);
    do {
        look.trousers = pick(kClothes, random);
    } while (look.trousers == look.top);
    do {
        look.belt = pick(kClothes, random);
    } while (look.belt == look.top || look.belt == look.trousers);
    look.shoes = shade(look.trousers, 0.45);
    look.hairStyle = static_cast<HairStyle>(random.wholeBetween(0, 4));
    look.outfit = static_cast<Outfit>(random.wholeBetween(0, 3));
    look.headband = random.unit() < 0.35;
    look.boxingGloves = random.unit() < 0.4;
    look.gloves = look.boxingGloves ? look.belt : look.skin;
    look.bulk = random.between(0.9, 1.15);
    if (drawnWithLongHair(code)) {
        look.hairStyle = HairStyle::Long;
        if (look.outfit == Outfit::Bare) look.outfit = Outfit::Vest;
        look.bulk = 0.88;
    }
    if (code == "Robot") {
        look.skin = rgba(170, 178, 190);
        look.hair = rgba(90, 96, 110);
        look.hairStyle = HairStyle::Mohawk;
        look.outfit = Outfit::Suit;
        look.top = rgba(110, 120, 138);
        look.trousers = rgba(80, 88, 104);
        look.belt = rgba(230, 200, 40);
        look.gloves = rgba(60, 64, 74);
        look.boxingGloves = true;
    }
    return look;
}

// ---- sizes --------------------------------------------------------------------------

namespace {

constexpr double kGroundLineTwips = vorkala::kGroundLine;
// Gravity sinks a fighter a step at a time while its Top is at or above the ground line.
constexpr double kSinkStepTwips = vorkala::kAirStep;
constexpr double kTwipsPerPixel = vk::kTwipsPerPixel;

// The Top the pick gives both sprites of the fighter's side; the finishing sprites keep it.
double finishingTopTwips(const vorkala::Fighter& fighter) {
    switch (fighter.topRule) {
        case vorkala::TopRule::Absolute:
            return fighter.topValue;
        case vorkala::TopRule::Relative:
            return kGroundLineTwips + fighter.topValue;
        case vorkala::TopRule::None:
            break;
    }
    return kGroundLineTwips;
}

// The Top the fighter stands at in the fight: a sprite picked at or above the ground line
// sinks to the first step of its grid below it.
double standingTopTwips(const vorkala::Fighter& fighter) {
    const double top = finishingTopTwips(fighter);
    if (top > kGroundLineTwips) return top;
    return top + kSinkStepTwips * (std::floor((kGroundLineTwips - top) / kSinkStepTwips) + 1);
}

constexpr int kFeetMargin = 3;
// The heights a standing fighter's picture may have, in pixels.
constexpr int kShortestPicture = 120, kTallestPicture = 400;
// Pose units from the floor to the top of the picture: room for a fist raised in victory.
constexpr double kUnitsTall = 290;
constexpr double kWidthPerHeight = 0.6;
// Where the standing figure's centre lies across the picture, from its back edge.
constexpr double kAnchorAcross = 0.42;
constexpr int kSuper = 2;

// The poses the finishing sequence leaves on the floor: the loser lying, the winner
// with a raised fist. The finishing sprites show them at the finishing Top.
bool endsTheFight(int poseIndex) { return poseIndex == 2 || poseIndex == 20; }

}  // namespace

SpriteSize spriteSize(const vorkala::Fighter& fighter) {
    const double standingTop = standingTopTwips(fighter);
    const int feet =
        std::clamp(static_cast<int>(std::lround(kFightFloor - standingTop / kTwipsPerPixel)),
                   kShortestPicture - kFeetMargin, kTallestPicture - kFeetMargin);
    const int drop =
        static_cast<int>(std::lround((standingTop - finishingTopTwips(fighter)) / kTwipsPerPixel));
    return {static_cast<int>(std::lround(feet * kWidthPerHeight)), feet + drop + kFeetMargin, feet,
            drop};
}

// ---- poses --------------------------------------------------------------------------

// Joint positions in pose units, feet on y = 0, facing +x (see figure.h).
Pose fighterPose(int poseIndex) {
    switch (poseIndex) {
        case 0:  // stance
            return highGuardStance();
        case 1:  // tired: shoulders down, fists low
            return {{22, -198}, {10, -178}, {-8, -104}, {26, -130}, {40, -94}, {-14, -128},
                    {2, -90},   {22, -54},  {36, 0},    {-30, -52}, {-52, 0}};
        case 2:  // knocked down, lying on the back with the knees up
            return {{-62, -20}, {-42, -18}, {22, -16}, {-14, -8}, {12, -5}, {-56, -5},
                    {-78, -7},  {50, -58},  {70, -2},  {60, -34}, {90, -2}};
        case 5:  // low punch
            return {{30, -198}, {20, -178}, {-6, -102}, {52, -124}, {94, -118}, {4, -140},
                    {28, -170}, {38, -54},  {56, 0},    {-36, -50}, {-62, 0}};
        case 8:  // high kick
            return {{-30, -204}, {-22, -184}, {-10, -112}, {4, -150},  {22, -178}, {-52, -150},
                    {-64, -118}, {38, -152},  {78, -190},  {-12, -56}, {-18, 0}};
        case 11:  // high punch
            return {{20, -222}, {10, -200}, {-6, -118}, {52, -196}, {96, -204}, {-4, -158},
                    {22, -184}, {36, -62},  {52, 0},    {-34, -58}, {-64, 0}};
        case 12:  // hit by a punch: head snapped back
            return {{-30, -206}, {-18, -188}, {-4, -112}, {14, -156}, {36, -184}, {-44, -166},
                    {-60, -194}, {28, -58},   {40, 0},    {-30, -56}, {-56, 0}};
        case 15:  // low kick
            return {{-14, -210}, {-12, -190}, {-12, -112}, {20, -150}, {32, -190}, {-30, -150},
                    {-4, -178},  {36, -82},   {84, -50},   {-20, -56}, {-26, 0}};
        case 16:  // jump, knees tucked
            return {{10, -250}, {2, -228},  {-8, -150}, {36, -222},  {48, -254}, {-20, -214},
                    {4, -246},  {36, -128}, {32, -70},  {-20, -116}, {-44, -74}};
        case 17:  // stepping back
            return {{-10, -214}, {-14, -193}, {-22, -114}, {22, -150}, {34, -196}, {-26, -146},
                    {4, -178},   {12, -60},   {28, 0},     {-52, -54}, {-74, 0}};
        case 18:  // walking stride
            return {{12, -220}, {4, -199}, {-4, -118}, {36, -156}, {48, -196}, {-10, -150},
                    {20, -182}, {24, -62}, {46, 0},    {-20, -58}, {-46, 0}};
        case 19:  // hit by a kick: doubled over
            return {{38, -168}, {24, -160}, {-20, -110}, {26, -128}, {12, -110}, {2, -124},
                    {8, -106},  {16, -56},  {24, 0},     {-42, -56}, {-58, 0}};
        case 20:  // victory: fist up, other hand on the hip
            return {{0, -222},   {-2, -200}, {-6, -118}, {24, -234}, {20, -272}, {-32, -160},
                    {-24, -122}, {18, -60},  {30, 0},    {-26, -60}, {-40, 0}};
        default:
            throw std::out_of_range("no pose picture " + std::to_string(poseIndex));
    }
}

namespace {

Point plus(Point p, Point by) { return {p.x + by.x, p.y + by.y}; }
Point lerp(Point a, Point b, double t) { return {a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t}; }

// A figure painter with the look's colours; one pose unit is `scale` pixels.
class FighterPainter {
  public:
    FighterPainter(Canvas& canvas, const FighterLook& look, Point ground, double scale)
        : canvas_(canvas), look_(look), ground_(ground), scale_(scale) {}

    Point at(Point p) const { return {ground_.x + p.x * scale_, ground_.y + p.y * scale_}; }
    void limb(Point a, Point b, double thickness, Color c) const {
        canvas_.line(at(a), at(b), thickness * look_.bulk * scale_, c);
    }
    void disc(Point centre, double radius, Color c) const {
        canvas_.fillCircle(at(centre), radius * scale_, c);
    }
    void ellipse(Point centre, double rx, double ry, Color c) const {
        canvas_.fillEllipse(at(centre), rx * scale_, ry * scale_, c);
    }
    void polygon(std::initializer_list<Point> points, Color c) const {
        std::vector<Point> outline;
        for (const Point& p : points) outline.push_back(at(p));
        canvas_.fillPolygon(outline, c);
    }
    void stroke(Point a, Point b, double thickness, Color c) const {
        canvas_.line(at(a), at(b), thickness * scale_, c);
    }

    void figure(const Pose& pose) const;

  private:
    void arm(Point shoulder, Point elbow, Point hand, bool back) const;
    void leg(Point hip, Point knee, Point foot, bool back) const;
    void torso(const Pose& pose) const;
    void head(const Pose& pose) const;
    void longHairBehind(const Pose& pose) const;
    Color dim(Color c, bool back) const { return back ? shade(c, 0.78) : c; }

    Canvas& canvas_;
    const FighterLook& look_;
    Point ground_;
    double scale_;
};

void FighterPainter::arm(Point shoulder, Point elbow, Point hand, bool back) const {
    const bool sleeves = look_.outfit == Outfit::Jacket || look_.outfit == Outfit::Suit;
    limb(shoulder, elbow, 19, dim(sleeves ? look_.top : look_.skin, back));
    limb(elbow, hand, 15, dim(look_.outfit == Outfit::Suit ? look_.top : look_.skin, back));
    const double fist = look_.boxingGloves ? 15 : 11;
    disc(hand, fist * look_.bulk, dim(look_.gloves, back));
    if (look_.boxingGloves)
        limb(lerp(elbow, hand, 0.62), lerp(elbow, hand, 0.72), 16,
             dim(shade(look_.gloves, 1.25), back));
}

void FighterPainter::leg(Point hip, Point knee, Point foot, bool back) const {
    limb(hip, knee, 27, dim(look_.trousers, back));
    limb(knee, foot, 21, dim(look_.trousers, back));
    const Color shoe = dim(look_.shoes, back);
    polygon({{foot.x - 8, foot.y - 12},
             {foot.x + 14, foot.y - 9},
             {foot.x + 23, foot.y - 3},
             {foot.x + 23, foot.y},
             {foot.x - 8, foot.y}},
            shoe);
}

void FighterPainter::torso(const Pose& pose) const {
    const double dx = pose.hip.x - pose.neck.x;
    const double dy = pose.hip.y - pose.neck.y;
    const double length = std::hypot(dx, dy);
    const Point across = {-dy / length * look_.bulk, dx / length * look_.bulk};
    auto side = [&](Point p, double half) {
        return Point{p.x + across.x * half, p.y + across.y * half};
    };
    const Point shoulders = lerp(pose.neck, pose.hip, 0.08);
    const Point chest = lerp(pose.neck, pose.hip, 0.32);
    const Point waist = lerp(pose.neck, pose.hip, 0.85);
    const Color body = look_.outfit == Outfit::Bare ? look_.skin : look_.top;
    polygon({side(shoulders, 22), side(chest, 28), side(waist, 19), side(pose.hip, 20),
             side(pose.hip, -20), side(waist, -19), side(chest, -28), side(shoulders, -22)},
            body);
    disc(side(lerp(pose.neck, pose.hip, 0.12), 16), 12 * look_.bulk, body);
    disc(side(lerp(pose.neck, pose.hip, 0.12), -16), 12 * look_.bulk, body);
    if (look_.outfit == Outfit::Bare) {
        // Chest and belly lines give the bare torso its muscles.
        const Color line = shade(look_.skin, 0.72);
        stroke(side(chest, -4), side(lerp(pose.neck, pose.hip, 0.4), 10), 2.2, line);
        stroke(lerp(pose.neck, pose.hip, 0.45), lerp(pose.neck, pose.hip, 0.75), 1.8, line);
    } else if (look_.outfit == Outfit::Vest) {
        // The neckline shows skin.
        polygon({side(shoulders, 8), lerp(pose.neck, pose.hip, 0.3), side(shoulders, -8)},
                look_.skin);
    } else if (look_.outfit == Outfit::Jacket) {
        // Crossed lapels of a jacket.
        const Color lapel = shade(look_.top, 0.75);
        stroke(side(shoulders, 10), lerp(pose.neck, pose.hip, 0.6), 3, lapel);
        stroke(side(shoulders, -10), lerp(pose.neck, pose.hip, 0.5), 3, lapel);
    }
    // The belt across the waist, its knot in front.
    stroke(side(lerp(waist, pose.hip, 0.4), 21), side(lerp(waist, pose.hip, 0.4), -21), 9,
           look_.belt);
    disc(side(lerp(waist, pose.hip, 0.4), 12), 4.5, shade(look_.belt, 0.8));
}

void FighterPainter::longHairBehind(const Pose& pose) const {
    if (look_.hairStyle != HairStyle::Long) return;
    const Point nape = plus(pose.head, {-14, 4});
    polygon({plus(pose.head, {-6, -20}), plus(pose.head, {-22, -6}), plus(nape, {-12, 40}),
             plus(nape, {6, 38}), plus(pose.head, {4, 0})},
            look_.hair);
}

void FighterPainter::head(const Pose& pose) const {
    const Point h = pose.head;
    limb(pose.neck, h, 14, look_.skin);
    switch (look_.hairStyle) {
        case HairStyle::Bald:
            disc(h, 19, look_.skin);
            break;
        case HairStyle::Mohawk:
            disc(h, 19, look_.skin);
            polygon({plus(h, {-18, -6}), plus(h, {-12, -26}), plus(h, {4, -30}), plus(h, {10, -18}),
                     plus(h, {-4, -16})},
                    look_.hair);
            break;
        case HairStyle::Spiky:
            for (int spike = 0; spike < 5; ++spike) {
                const double a = std::numbers::pi * (0.75 + 0.22 * spike);
                const Point base = plus(h, {std::cos(a) * 14, std::sin(a) * 14});
                polygon({plus(base, {-7, 3}), plus(base, {std::cos(a) * 14, std::sin(a) * 14}),
                         plus(base, {7, 3})},
                        look_.hair);
            }
            [[fallthrough]];
        case HairStyle::Short:
        case HairStyle::Long:
            disc(plus(h, {-3, -3}), 20.5, look_.hair);
            ellipse(plus(h, {3.5, 3}), 16.5, 17, look_.skin);
            break;
    }
    // Ear, eye with its brow, nose and mouth, all on the side the figure faces.
    disc(plus(h, {-3, 2}), 4, shade(look_.skin, 0.85));
    disc(plus(h, {10, -3}), 2.8, rgba(24, 20, 20));
    stroke(plus(h, {6, -9}), plus(h, {15, -8}), 2.6, shade(look_.hair, 0.8));
    polygon({plus(h, {17, -2}), plus(h, {22, 4}), plus(h, {16, 5})}, shade(look_.skin, 0.88));
    stroke(plus(h, {10, 10}), plus(h, {16, 10}), 2, rgba(120, 50, 44));
    if (look_.headband) {
        stroke(plus(h, {-19, -8}), plus(h, {17, -13}), 6, look_.belt);
        stroke(plus(h, {-18, -8}), plus(h, {-32, 6}), 4, look_.belt);
    }
}

void FighterPainter::figure(const Pose& pose) const {
    const Point backShoulder = plus(pose.neck, {-7, 10});
    const Point frontShoulder = plus(pose.neck, {7, 10});
    longHairBehind(pose);
    arm(backShoulder, pose.backElbow, pose.backHand, true);
    leg(plus(pose.hip, {-7, 0}), pose.backKnee, pose.backFoot, true);
    torso(pose);
    leg(plus(pose.hip, {7, 0}), pose.frontKnee, pose.frontFoot, false);
    head(pose);
    arm(frontShoulder, pose.frontElbow, pose.frontHand, false);
}

// The outermost reach of a pose in pose units, limbs and head included.
struct Extent {
    double left, right, top;
};
Extent extentOf(const Pose& pose) {
    const std::array<Point, 11> joints = {pose.head,       pose.neck,      pose.hip,
                                          pose.frontElbow, pose.frontHand, pose.backElbow,
                                          pose.backHand,   pose.frontKnee, pose.frontFoot,
                                          pose.backKnee,   pose.backFoot};
    Extent e{0, 0, 0};
    for (const Point& p : joints) {
        e.left = std::min(e.left, p.x - 20);
        e.right = std::max(e.right, p.x + 20);
        e.top = std::min(e.top, p.y - 22);
    }
    e.right = std::max({e.right, pose.frontFoot.x + 26, pose.backFoot.x + 26});
    return e;
}

constexpr Color kInk = rgba(24, 18, 16);

}  // namespace

Canvas posePicture(const vorkala::Fighter& fighter, int poseIndex) {
    const SpriteSize size = spriteSize(fighter);
    const FighterLook look = lookOf(fighter);
    const Pose pose = fighterPose(poseIndex);
    const Extent extent = extentOf(pose);
    // Outline pixels need a pixel of room on every side.
    const double usable = (size.width - 2) * kSuper;
    double scale = (size.feetRow - 2) * kSuper / kUnitsTall;
    scale = std::min(scale, usable / (extent.right - extent.left));
    double anchor = size.width * kSuper * kAnchorAcross;
    anchor = std::clamp(anchor, kSuper - extent.left * scale,
                        size.width * kSuper - kSuper - extent.right * scale);
    Canvas big(size.width * kSuper, size.height * kSuper);
    const int ground = size.feetRow + (endsTheFight(poseIndex) ? size.finishingDrop : 0);
    const FighterPainter painter(big, look, {anchor, static_cast<double>(ground * kSuper)}, scale);
    painter.figure(pose);
    Canvas picture = big.downscaled(kSuper);
    picture.outline(kInk);
    // The floor hides the round ends of the legs below the soles.
    for (int y = ground + kFeetMargin; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) picture.set(x, y, kTransparent);
    return fighter.side == vorkala::Side::Left ? picture : picture.mirrored();
}

void drawFighter(Canvas& canvas, const FighterLook& look, const Pose& pose, Point ground,
                 double scale) {
    FighterPainter(canvas, look, ground, scale).figure(pose);
}

// ---- faces and portraits ------------------------------------------------------------

namespace {

enum class Mood { Neutral, Winner, Loser };

// Points of an arc around `centre`, angles in radians (y down).
std::vector<Point> arc(Point centre, double rx, double ry, double from, double to, int steps) {
    std::vector<Point> points;
    for (int i = 0; i <= steps; ++i) {
        const double a = from + (to - from) * i / steps;
        points.push_back({centre.x + rx * std::cos(a), centre.y + ry * std::sin(a)});
    }
    return points;
}

void polyline(Canvas& c, const std::vector<Point>& points, double thickness, Color colour) {
    for (std::size_t i = 0; i + 1 < points.size(); ++i)
        c.line(points[i], points[i + 1], thickness, colour);
}

// A front view of head and shoulders; `u` pixels per unit, head centre at `h`, units
// measured on a 150-unit face picture.
class BustPainter {
  public:
    BustPainter(Canvas& canvas, const FighterLook& look, double u)
        : c_(canvas), look_(look), u_(u) {}

    void draw(Mood mood) const;

  private:
    Point p(double x, double y) const { return {x * u_, y * u_}; }
    void disc(double x, double y, double r, Color colour) const {
        c_.fillCircle(p(x, y), r * u_, colour);
    }
    void ellipse(double x, double y, double rx, double ry, Color colour) const {
        c_.fillEllipse(p(x, y), rx * u_, ry * u_, colour);
    }
    void stroke(std::vector<Point> points, double thickness, Color colour) const {
        for (Point& q : points) q = p(q.x, q.y);
        polyline(c_, points, thickness * u_, colour);
    }
    void shoulders() const;
    void hair() const;
    void eyes(Mood mood) const;
    void mouth(Mood mood) const;
    void raisedFist() const;
    void bruises() const;

    Canvas& c_;
    const FighterLook& look_;
    double u_;
};

constexpr double kHeadX = 75, kHeadY = 70, kHeadRx = 36, kHeadRy = 42;

void BustPainter::shoulders() const {
    const Color body = look_.outfit == Outfit::Bare ? look_.skin : look_.top;
    ellipse(75, 162, 66 * look_.bulk, 48, body);
    c_.fillRect(static_cast<int>(60 * u_), static_cast<int>(100 * u_), static_cast<int>(30 * u_),
                static_cast<int>(22 * u_), look_.skin);
    if (look_.outfit == Outfit::Vest || look_.outfit == Outfit::Jacket)
        c_.fillPolygon({p(58, 118), p(92, 118), p(75, 146)}, look_.skin);
    if (look_.outfit == Outfit::Bare)
        stroke({{52, 134}, {75, 140}, {98, 134}}, 2.5, shade(look_.skin, 0.75));
}

void BustPainter::hair() const {
    switch (look_.hairStyle) {
        case HairStyle::Bald:
            disc(58, 42, 8, withAlpha(rgba(255, 255, 255), 70));  // a shine
            break;
        case HairStyle::Mohawk:
            c_.fillPolygon({p(66, 36), p(70, 10), p(80, 10), p(84, 36)}, look_.hair);
            break;
        case HairStyle::Spiky:
            for (int i = 0; i < 6; ++i) {
                const double x = 44 + i * 12.5;
                c_.fillPolygon({p(x - 9, 44), p(x + 2, 14 + (i % 2) * 6), p(x + 9, 44)},
                               look_.hair);
            }
            [[fallthrough]];
        case HairStyle::Short:
        case HairStyle::Long:
            ellipse(kHeadX, 48, 38, 22, look_.hair);
            c_.fillPolygon({p(40, 50), p(110, 50), p(104, 62), p(46, 62)}, look_.hair);
            break;
    }
    if (look_.headband) {
        c_.fillRect(static_cast<int>(39 * u_), static_cast<int>(50 * u_), static_cast<int>(72 * u_),
                    static_cast<int>(8 * u_), look_.belt);
    }
}

void BustPainter::eyes(Mood mood) const {
    const Color white = rgba(250, 250, 246);
    const Color iris = rgba(40, 30, 26);
    for (const double x : {61.0, 89.0}) {
        ellipse(x, 72, 7, mood == Mood::Loser ? 3.5 : 5.5, white);
        disc(x + 1, 72, 3, iris);
    }
    const Color brow = shade(look_.hair, 0.8);
    if (mood == Mood::Loser) {  // raised inner ends: sad
        stroke({{52, 62}, {68, 58}}, 3, brow);
        stroke({{82, 58}, {98, 62}}, 3, brow);
    } else if (mood == Mood::Winner) {
        stroke({{52, 60}, {68, 61}}, 3, brow);
        stroke({{82, 61}, {98, 60}}, 3, brow);
    } else {  // a fighter's frown
        stroke({{52, 60}, {68, 64}}, 3.2, brow);
        stroke({{82, 64}, {98, 60}}, 3.2, brow);
    }
}

void BustPainter::mouth(Mood mood) const {
    stroke({{75, 74}, {71, 88}, {77, 89}}, 2, shade(look_.skin, 0.75));  // nose
    const Color lips = rgba(130, 46, 42);
    if (mood == Mood::Winner) {
        std::vector<Point> grin = arc({75, 94}, 16, 11, 0.1, std::numbers::pi - 0.1, 10);
        std::vector<Point> shape;
        for (const Point& q : grin) shape.push_back(p(q.x, q.y));
        shape.push_back(p(59, 95));
        shape.push_back(p(91, 95));
        c_.fillPolygon(shape, rgba(90, 20, 24));
        c_.fillRect(static_cast<int>(63 * u_), static_cast<int>(95 * u_), static_cast<int>(24 * u_),
                    static_cast<int>(4 * u_), rgba(250, 250, 246));
    } else if (mood == Mood::Loser) {
        stroke(arc({75, 106}, 12, 8, std::numbers::pi + 0.3, 2 * std::numbers::pi - 0.3, 8), 3,
               lips);
    } else {
        stroke({{66, 98}, {84, 98}}, 3, lips);
    }
}

void BustPainter::raisedFist() const {
    const Color sleeve =
        look_.outfit == Outfit::Jacket || look_.outfit == Outfit::Suit ? look_.top : look_.skin;
    c_.line(p(128, 150), p(132, 84), 20 * u_ * look_.bulk, sleeve);
    c_.line(p(132, 84), p(128, 40), 16 * u_ * look_.bulk, look_.skin);
    disc(128, 32, look_.boxingGloves ? 16 : 12, look_.gloves);
    stroke({{120, 28}, {136, 28}}, 1.5, shade(look_.gloves, 0.7));
}

void BustPainter::bruises() const {
    ellipse(89, 72, 12, 10, withAlpha(rgba(90, 40, 120), 150));  // a black eye
    const Color plaster = rgba(236, 206, 160);
    c_.line(p(48, 84), p(62, 78), 6 * u_, plaster);
    c_.line(p(50, 76), p(60, 86), 6 * u_, plaster);
    disc(94, 96, 3, rgba(170, 20, 20));  // blood from the lip
    c_.line(p(94, 96), p(96, 110), 2.5 * u_, rgba(170, 20, 20));
    disc(44, 80, 3, rgba(140, 200, 250));  // a tear
}

void BustPainter::draw(Mood mood) const {
    shoulders();
    if (look_.hairStyle == HairStyle::Long)
        c_.fillPolygon({p(36, 50), p(114, 50), p(122, 124), p(28, 124)}, look_.hair);
    ellipse(kHeadX, kHeadY, kHeadRx, kHeadRy, look_.skin);
    ellipse(38, 74, 6, 10, shade(look_.skin, 0.9));
    ellipse(112, 74, 6, 10, shade(look_.skin, 0.9));
    hair();
    eyes(mood);
    mouth(mood);
    if (mood == Mood::Winner) raisedFist();
    if (mood == Mood::Loser) bruises();
}

Canvas face(const vorkala::Fighter& fighter, Mood mood) {
    const FighterLook look = lookOf(fighter);
    Canvas big(kFaceSize * kSuper, kFaceSize * kSuper);
    const int size = big.width();
    if (mood == Mood::Winner) {
        big.verticalGradient(0, 0, size, size, rgba(255, 214, 90), rgba(210, 110, 20));
        big.radialGlow({size * 0.5, size * 0.45}, size * 0.6, rgba(255, 250, 220, 200));
    } else {
        big.verticalGradient(0, 0, size, size, rgba(90, 100, 120), rgba(34, 36, 48));
    }
    BustPainter(big, look, kSuper).draw(mood);
    Canvas picture = big.downscaled(kSuper);
    picture.frameRect(0, 0, kFaceSize, kFaceSize, kInk, 2);
    return picture;
}

}  // namespace

Canvas winnerFace(const vorkala::Fighter& fighter) { return face(fighter, Mood::Winner); }
Canvas loserFace(const vorkala::Fighter& fighter) { return face(fighter, Mood::Loser); }

Canvas portraitArt(const vorkala::Fighter& fighter) {
    constexpr int kSteps = 3;
    const FighterLook look = lookOf(fighter);
    const int size = kPortraitPixels * kSteps;
    Canvas big(size, size);
    big.verticalGradient(0, 0, size, size, shade(look.belt, 1.2), shade(look.belt, 0.45));
    BustPainter(big, look, static_cast<double>(size) / kFaceSize).draw(Mood::Neutral);
    Canvas picture = big.downscaled(kSteps);
    picture.frameRect(0, 0, kPortraitPixels, kPortraitPixels, kInk, 1);
    return picture;
}

}  // namespace vk::gen
