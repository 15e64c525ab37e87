#include "ladder_video.h"

#include <cmath>
#include <numbers>

#include "fighter_art.h"
#include "random.h"

namespace vk::gen {
namespace {

constexpr int kSuper = 2;

Point lerp(Point a, Point b, double t) { return {a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t}; }

Pose between(const Pose& a, const Pose& b, double t) {
    return {lerp(a.head, b.head, t),
            lerp(a.neck, b.neck, t),
            lerp(a.hip, b.hip, t),
            lerp(a.frontElbow, b.frontElbow, t),
            lerp(a.frontHand, b.frontHand, t),
            lerp(a.backElbow, b.backElbow, t),
            lerp(a.backHand, b.backHand, t),
            lerp(a.frontKnee, b.frontKnee, t),
            lerp(a.frontFoot, b.frontFoot, t),
            lerp(a.backKnee, b.backKnee, t),
            lerp(a.backFoot, b.backFoot, t)};
}

FighterLook championLook() {
    return {.skin = rgba(224, 172, 128),
            .hair = rgba(40, 28, 20),
            .top = rgba(235, 235, 230),
            .trousers = rgba(235, 235, 230),
            .belt = rgba(30, 30, 34),
            .gloves = rgba(200, 30, 36),
            .shoes = rgba(60, 40, 30),
            .hairStyle = HairStyle::Spiky,
            .outfit = Outfit::Jacket,
            .headband = true,
            .boxingGloves = true,
            .bulk = 1.0};
}

// 0 in stance, rising to the raised fist by frame 8, then pumping it.
double raise(int frame) {
    if (frame < 8) return frame / 8.0;
    return 0.85 + 0.15 * std::cos((frame - 8) * std::numbers::pi / 3);
}

Canvas clipFrame(int frame) {
    const int w = kClipWidth * kSuper, h = kClipHeight * kSuper;
    Canvas c(w, h, rgba(0, 0, 0));
    c.verticalGradient(0, 0, w, h, rgba(20, 14, 50), rgba(70, 30, 60));
    // A spotlight sweeping a little, and the stage.
    const double sway = std::sin(frame * std::numbers::pi / 10) * 20;
    c.radialGlow({w / 2.0 + sway, h * 0.55}, h * 0.6, rgba(255, 240, 190, 150));
    c.fillRect(0, h - 30, w, 30, rgba(60, 40, 40));
    c.fillEllipse({w / 2.0, h - 26.0}, 70, 10, rgba(0, 0, 0, 90));
    const Pose pose = between(fighterPose(0), fighterPose(20), raise(frame));
    drawFighter(c, championLook(), pose, {w / 2.0, h - 26.0}, 0.62);
    // Confetti: each piece falls at its own speed and wraps around.
    Random random(0xC0F3);
    for (int i = 0; i < 40; ++i) {
        const double x = random.between(0, w);
        const double speed = random.between(6, 14);
        const double y = std::fmod(random.between(0, h) + frame * speed, h);
        const Color colour = rgba(random.wholeBetween(150, 255), random.wholeBetween(60, 255),
                                  random.wholeBetween(60, 255));
        c.fillRect(static_cast<int>(x), static_cast<int>(y), 5, 3 + (frame + i) % 3, colour);
    }
    if (frame >= 8 && frame % 4 < 3)
        c.drawTextGradient(w / 2 - textWidth("WIN!", TextStyle::scaled(4, true)) / 2, 14, "WIN!",
                           rgba(255, 250, 160), rgba(255, 140, 20), TextStyle::scaled(4, true));
    return c.downscaled(kSuper);
}

}  // namespace

std::vector<GifFrame> victoryClip() {
    std::vector<GifFrame> frames;
    for (int frame = 0; frame < kClipFrames; ++frame)
        frames.push_back({clipFrame(frame), kClipFrameCentiseconds});
    return frames;
}

}  // namespace vk::gen
