#include "stain_art.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <vector>

#include "random.h"

namespace vk::gen {
namespace {

// The floor is seen at a slant, so the blood spreads wider than it looks deep.
constexpr double kFloorSquash = 2.3;
constexpr Point kCentre = {kStainWidth / 2.0, kStainHeight / 2.0};

// One metaball of the stain: it joins the stain at `firstStage` and grows from then on.
struct Blob {
    Point offset;
    double radius;
    double growth;  // added to the radius per stage
    int firstStage;
};

std::vector<Blob> stainBlobs() {
    Random random(0xB100D);
    std::vector<Blob> blobs;
    // The pool itself.
    blobs.push_back({{0, 0}, 7, 4.4, 0});
    // Lobes that spread the pool unevenly.
    for (int i = 0; i < 10; ++i) {
        const double angle = random.between(0, 2 * 3.14159265);
        const double reach = random.between(14, 44);
        blobs.push_back({{std::cos(angle) * reach, std::sin(angle) * reach / kFloorSquash},
                         random.between(4, 7),
                         random.between(1.2, 2.6),
                         random.wholeBetween(1, 6)});
    }
    // Droplets of the first splash and of later ones; the pool swallows the near ones.
    for (int i = 0; i < 12; ++i) {
        const double angle = random.between(0, 2 * 3.14159265);
        const double reach = random.between(16, 84);
        blobs.push_back({{std::cos(angle) * reach, std::sin(angle) * reach / kFloorSquash},
                         random.between(2.2, 3.6),
                         random.between(0.0, 0.3),
                         i < 5 ? 0 : random.wholeBetween(1, 7)});
    }
    return blobs;
}

// How strongly the stain covers a point; 1 and more is blood.
double coverage(const std::vector<Blob>& blobs, int stage, Point p) {
    double field = 0.0;
    for (const Blob& b : blobs) {
        if (b.firstStage > stage) continue;
        const double radius = b.radius + b.growth * (stage - b.firstStage);
        const double dx = p.x - (kCentre.x + b.offset.x);
        const double dy = (p.y - (kCentre.y + b.offset.y)) * kFloorSquash;
        field += radius * radius / std::max(dx * dx + dy * dy, 0.01);
    }
    return field;
}

Color bloodColour(double field, Random& grain) {
    // Thin edges are brighter; the body of the pool is an even deep red. A little grain
    // keeps it from looking flat.
    const double t = std::clamp((field - 1.0) / 1.4, 0.0, 1.0);
    const Color c = mix(rgba(140, 14, 18), rgba(74, 4, 8), t * t * (3.0 - 2.0 * t));
    return shade(c, grain.between(0.92, 1.06));
}

}  // namespace

Canvas bloodStain(int stage) {
    if (stage < 0 || stage >= kStainStages) throw std::out_of_range("no such stain stage");
    static const std::vector<Blob> blobs = stainBlobs();
    Canvas c(kStainWidth, kStainHeight);
    Random grain(0x6A41 + static_cast<std::uint32_t>(stage));
    for (int y = 0; y < kStainHeight; ++y) {
        for (int x = 0; x < kStainWidth; ++x) {
            const double field = coverage(blobs, stage, {x + 0.5, y + 0.5});
            if (field >= 1.0) c.set(x, y, bloodColour(field, grain));
        }
    }
    // A glint of light on the bigger pools.
    if (stage >= 3) {
        const double size = 1.0 + stage * 0.5;
        const Point glint = {kCentre.x - 6 - stage * 1.5, kCentre.y - 3 - stage * 0.4};
        c.fillEllipse(glint, size * 2.2, size * 0.7, rgba(200, 70, 70, 120));
    }
    // Nothing may show beyond the blood, whatever the canvas held.
    for (int y = 0; y < kStainHeight; ++y) {
        for (int x = 0; x < kStainWidth; ++x) {
            if (coverage(blobs, stage, {x + 0.5, y + 0.5}) < 1.0) c.set(x, y, kTransparent);
        }
    }
    return c;
}

}  // namespace vk::gen
