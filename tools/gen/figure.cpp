#include "figure.h"

#include <cmath>

namespace vk::gen {
namespace {

// Limb and body measurements in pose units.
constexpr double kHeadRadius = 19;
constexpr double kNeckWidth = 16;
constexpr double kShoulderHalfWidth = 30;
constexpr double kWaistHalfWidth = 18;
constexpr double kShoulderRadius = 13;
constexpr double kUpperArm = 20;
constexpr double kForearm = 16;
constexpr double kFistRadius = 12;
constexpr double kThigh = 28;
constexpr double kShin = 20;
constexpr double kFootLength = 22;
constexpr double kFootHeight = 12;
constexpr Point kFrontShoulderOffset = {9, 10};
constexpr Point kBackShoulderOffset = {-9, 10};

class FigurePainter {
  public:
    FigurePainter(Canvas& canvas, const Placement& placement, Color c)
        : canvas_(canvas), placement_(placement), colour_(c) {}

    Point at(Point p) const {
        const double x = placement_.facingLeft ? -p.x : p.x;
        return {placement_.ground.x + x * placement_.scale,
                placement_.ground.y + p.y * placement_.scale};
    }
    void limb(Point from, Point to, double thickness) const {
        canvas_.line(at(from), at(to), thickness * placement_.scale, colour_);
    }
    void disc(Point centre, double radius) const {
        canvas_.fillCircle(at(centre), radius * placement_.scale, colour_);
    }
    void polygon(std::initializer_list<Point> points) const {
        std::vector<Point> outline;
        for (const Point& p : points) outline.push_back(at(p));
        canvas_.fillPolygon(outline, colour_);
    }

  private:
    Canvas& canvas_;
    const Placement& placement_;
    Color colour_;
};

Point offset(Point p, Point by) { return {p.x + by.x, p.y + by.y}; }

// The torso tapers from the shoulders to the waist, across the spine.
void drawTorso(const FigurePainter& paint, const Pose& pose) {
    const double dx = pose.hip.x - pose.neck.x;
    const double dy = pose.hip.y - pose.neck.y;
    const double length = std::hypot(dx, dy);
    const Point across = {-dy / length, dx / length};
    const Point shoulders = offset(pose.neck, {dx * 0.08, dy * 0.08});
    auto side = [&](Point p, double half) {
        return Point{p.x + across.x * half, p.y + across.y * half};
    };
    // Chest wider than the waist, with rounded shoulders.
    const Point chest = offset(pose.neck, {dx * 0.3, dy * 0.3});
    paint.polygon({side(shoulders, kShoulderHalfWidth - kShoulderRadius / 2),
                   side(chest, kShoulderHalfWidth - 2), side(pose.hip, kWaistHalfWidth),
                   side(pose.hip, -kWaistHalfWidth), side(chest, -kShoulderHalfWidth + 2),
                   side(shoulders, -kShoulderHalfWidth + kShoulderRadius / 2)});
    const double inset = kShoulderHalfWidth - kShoulderRadius;
    paint.disc(offset(side(shoulders, inset), {dx * 0.06, dy * 0.06}), kShoulderRadius);
    paint.disc(offset(side(shoulders, -inset), {dx * 0.06, dy * 0.06}), kShoulderRadius);
    paint.disc(pose.hip, kWaistHalfWidth);
}

void drawLeg(const FigurePainter& paint, Point hip, Point knee, Point foot) {
    paint.limb(hip, knee, kThigh);
    paint.limb(knee, foot, kShin);
    paint.polygon({{foot.x - kFootHeight / 2, foot.y - kFootHeight},
                   {foot.x + kFootLength, foot.y - kFootHeight / 3},
                   {foot.x + kFootLength, foot.y},
                   {foot.x - kFootHeight / 2, foot.y}});
}

void drawArm(const FigurePainter& paint, Point shoulder, Point elbow, Point hand) {
    paint.limb(shoulder, elbow, kUpperArm);
    paint.limb(elbow, hand, kForearm);
    paint.disc(hand, kFistRadius);
}

}  // namespace

Pose jabStance() {
    return {
        .head = {14, -226},
        .neck = {6, -203},
        .hip = {-6, -122},
        .frontElbow = {50, -178},
        .frontHand = {92, -188},
        .backElbow = {-4, -160},
        .backHand = {26, -186},
        .frontKnee = {32, -66},
        .frontFoot = {46, 0},
        .backKnee = {-34, -62},
        .backFoot = {-64, 0},
    };
}

Pose highGuardStance() {
    return {
        .head = {6, -214},
        .neck = {-2, -193},
        .hip = {-14, -114},
        .frontElbow = {34, -150},
        .frontHand = {46, -196},
        .backElbow = {-14, -146},
        .backHand = {16, -178},
        .frontKnee = {30, -60},
        .frontFoot = {54, 0},
        .backKnee = {-44, -56},
        .backFoot = {-66, 0},
    };
}

void drawFigure(Canvas& canvas, const Pose& pose, const Placement& placement, Color c) {
    const FigurePainter paint(canvas, placement, c);
    drawArm(paint, offset(pose.neck, kBackShoulderOffset), pose.backElbow, pose.backHand);
    drawLeg(paint, offset(pose.hip, {-8, 0}), pose.backKnee, pose.backFoot);
    drawTorso(paint, pose);
    drawLeg(paint, offset(pose.hip, {8, 0}), pose.frontKnee, pose.frontFoot);
    paint.limb(pose.neck, pose.head, kNeckWidth);
    paint.disc(pose.head, kHeadRadius);
    drawArm(paint, offset(pose.neck, kFrontShoulderOffset), pose.frontElbow, pose.frontHand);
}

}  // namespace vk::gen
