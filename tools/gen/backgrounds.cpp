#include "backgrounds.h"

#include <cmath>
#include <functional>
#include <string>

#include "random.h"

namespace vk::gen {
namespace {

constexpr int W = kSceneWidth;
constexpr int H = kSceneHeight;
constexpr int F = kSceneFloor;

std::uint32_t seedOf(std::string_view text) {
    std::uint32_t h = 2166136261u;
    for (char c : text) h = (h ^ static_cast<unsigned char>(c)) * 16777619u;
    return h;
}

void sky(Canvas& c, Color top, Color horizon) { c.verticalGradient(0, 0, W, F, top, horizon); }

// The floor from the scene's floor line down, with lines running to a vanishing point so
// it reads as ground the fighters stand on.
void floorPlane(Canvas& c, Color near, Color far, Color lines, int lineCount) {
    c.verticalGradient(0, F - 12, W, H - F + 12, far, near);
    for (int i = 0; i <= lineCount; ++i) {
        const double x = W * static_cast<double>(i) / lineCount;
        c.line({W / 2.0 + (x - W / 2.0) * 0.55, F - 12.0}, {x * 1.6 - W * 0.3, H}, 2, lines);
    }
    for (int y = F + 4, step = 8; y < H; y += step, step += 6) c.fillRect(0, y, W, 2, lines);
}

void darkTopBand(Canvas& c) {
    for (int y = 0; y < kSceneBand; ++y) {
        const double t = 1.0 - static_cast<double>(y) / kSceneBand;
        c.fillRect(0, y, W, 1, rgba(0, 0, 0, static_cast<int>(40 + 170 * t * t)));
    }
}

void tree(Canvas& c, double x, double base, double height, Color trunk, Color leaves,
          Random& random) {
    c.line({x, base}, {x, base - height}, height * 0.09, trunk);
    for (int i = 0; i < 7; ++i) {
        const Point at{x + random.between(-0.25, 0.25) * height,
                       base - height * random.between(0.7, 1.05)};
        c.fillCircle(at, height * random.between(0.16, 0.26),
                     shade(leaves, random.between(0.75, 1.15)));
    }
}

void forest(Canvas& c, Random& random, bool evening) {
    sky(c, evening ? rgba(40, 30, 70) : rgba(90, 160, 230),
        evening ? rgba(240, 140, 80) : rgba(200, 230, 250));
    const Color leaves = evening ? rgba(30, 70, 40) : rgba(50, 130, 50);
    for (int layer = 0; layer < 2; ++layer) {
        const double fade = layer == 0 ? 0.6 : 1.0;
        for (int i = 0; i < 9; ++i) {
            tree(c, random.between(-20, W + 20), F - 20 + layer * 14,
                 random.between(180, 320) * (layer == 0 ? 0.8 : 1.0), shade(rgba(90, 60, 36), fade),
                 shade(leaves, fade), random);
        }
    }
    floorPlane(c, evening ? rgba(50, 80, 30) : rgba(80, 150, 50),
               evening ? rgba(30, 60, 26) : rgba(60, 120, 40), rgba(0, 0, 0, 30), 14);
}

void bridge(Canvas& c, Random& random) {
    sky(c, rgba(60, 90, 160), rgba(250, 190, 130));
    c.fillRect(0, 380, W, 120, rgba(50, 90, 120));  // the river
    for (int i = 0; i < 30; ++i)
        c.fillRect(random.wholeBetween(0, W), random.wholeBetween(390, 490),
                   random.wholeBetween(20, 60), 2, rgba(200, 220, 240, 120));
    for (int x = 0; x < W; x += 200) {  // arches under the deck
        c.fillRect(x + 80, 430, 40, 70, rgba(110, 100, 90));
        c.fillEllipse({x + 100.0, 430}, 100, 30, rgba(120, 110, 100));
    }
    c.fillRect(0, 440, W, 60, rgba(130, 120, 108));
    for (int x = 10; x < W; x += 40) c.fillRect(x, 400, 8, 44, rgba(80, 74, 68));
    c.fillRect(0, 396, W, 8, rgba(80, 74, 68));  // railing
    for (const double x : {150.0, 650.0}) {      // towers carrying the cables
        c.fillRect(static_cast<int>(x) - 14, 120, 28, 280, rgba(150, 60, 40));
        c.fillRect(static_cast<int>(x) - 20, 200, 40, 10, rgba(120, 46, 30));
    }
    // Cables hang between the towers (500 apart) and rise again beyond them.
    auto cableY = [](double x) {
        const double u = std::fmod(x - 150.0 + 5000.0, 500.0);
        return 120.0 + 250.0 * 4.0 * u * (500.0 - u) / (500.0 * 500.0);
    };
    for (double x = 0; x < W; x += 10)
        c.line({x, cableY(x)}, {x + 10, cableY(x + 10)}, 3, rgba(60, 40, 36));
    for (double x = 170; x < W; x += 40)
        if (std::abs(x - 650) > 20) c.line({x, cableY(x)}, {x, 398}, 1.5, rgba(60, 40, 36));
    floorPlane(c, rgba(120, 110, 100), rgba(96, 88, 80), rgba(60, 54, 50, 90), 16);
}

void beach(Canvas& c, Random& random) {
    sky(c, rgba(40, 140, 230), rgba(190, 230, 255));
    c.radialGlow({640, 150}, 120, rgba(255, 250, 200));
    c.fillCircle({640, 150}, 45, rgba(255, 240, 150));
    c.verticalGradient(0, 360, W, 110, rgba(20, 110, 170), rgba(60, 170, 200));
    for (int i = 0; i < 40; ++i)
        c.fillRect(random.wholeBetween(0, W), random.wholeBetween(365, 465),
                   random.wholeBetween(10, 40), 2, rgba(255, 255, 255, 140));
    c.verticalGradient(0, 460, W, 40, rgba(240, 220, 160), rgba(230, 200, 140));
    // A palm tree.
    for (int i = 0; i < 12; ++i)
        c.fillCircle({120 + i * 3.0, 480 - i * 26.0}, 14 - i * 0.4, rgba(120, 84, 50));
    for (int leaf = 0; leaf < 6; ++leaf) {
        const double a = -2.8 + leaf * 0.55;
        c.line({156, 170}, {156 + std::cos(a) * 110, 190 + std::sin(a) * 50 + 40}, 14,
               rgba(40, 140, 50));
    }
    floorPlane(c, rgba(236, 206, 150), rgba(226, 196, 140), rgba(190, 160, 110, 60), 12);
}

void arcade(Canvas& c, Random& random) {
    c.verticalGradient(0, 0, W, F, rgba(20, 10, 40), rgba(60, 20, 80));
    for (int x = 20; x < W; x += 130) {  // cabinets with glowing screens
        const Color body = rgba(random.wholeBetween(40, 200), 30, random.wholeBetween(80, 200));
        c.fillRect(x, 250, 100, 250, body);
        c.fillRect(x + 10, 270, 80, 70, rgba(10, 10, 20));
        c.fillRect(x + 16, 276, 68, 58, rgba(60, random.wholeBetween(150, 255), 220));
        c.radialGlow({x + 50.0, 305}, 70, rgba(120, 220, 255, 90));
        c.fillRect(x + 6, 360, 88, 20, shade(body, 0.7));
        c.fillCircle({x + 30.0, 366}, 5, rgba(240, 40, 40));
        c.fillCircle({x + 60.0, 366}, 4, rgba(250, 230, 40));
    }
    c.drawText(250, 150, "ARCADE", rgba(255, 60, 200), TextStyle::scaled(6, true));
    c.radialGlow({400, 170}, 260, rgba(255, 60, 200, 50));
    floorPlane(c, rgba(50, 30, 60), rgba(30, 20, 40), rgba(120, 80, 160, 90), 20);
}

void gym(Canvas& c, Random&) {
    c.verticalGradient(0, 0, W, F, rgba(200, 200, 180), rgba(230, 226, 200));
    for (int x = 60; x < W; x += 220) {  // high windows
        c.fillRect(x, 110, 140, 90, rgba(160, 200, 230));
        c.frameRect(x, 110, 140, 90, rgba(90, 90, 90), 5);
        c.fillRect(x + 68, 110, 5, 90, rgba(90, 90, 90));
    }
    for (int x = 30; x < W; x += 190) {  // wall bars
        c.fillRect(x, 230, 8, 270, rgba(160, 110, 60));
        c.fillRect(x + 120, 230, 8, 270, rgba(160, 110, 60));
        for (int y = 245; y < 500; y += 22) c.fillRect(x, y, 128, 6, rgba(180, 130, 70));
    }
    floorPlane(c, rgba(214, 160, 100), rgba(190, 140, 86), rgba(140, 90, 50, 90), 24);
    c.line({0, 560}, {W, 560}, 4, rgba(220, 40, 40));
}

void cage(Canvas& c, Random&) {
    c.verticalGradient(0, 0, W, F, rgba(10, 10, 14), rgba(40, 40, 50));
    c.radialGlow({400, 260}, 380, rgba(240, 240, 255, 70));
    for (int x = -600; x < W; x += 28) {  // chain-link fence
        c.line({x * 1.0, 100}, {x + 400.0, 500}, 2, rgba(170, 170, 180, 160));
        c.line({x + 400.0, 100}, {x * 1.0, 500}, 2, rgba(170, 170, 180, 160));
    }
    for (int x = 0; x <= W; x += 200) c.fillRect(x - 6, 90, 12, 410, rgba(60, 60, 70));
    c.fillRect(0, 96, W, 10, rgba(60, 60, 70));
    floorPlane(c, rgba(70, 70, 90), rgba(50, 50, 66), rgba(20, 20, 30, 70), 10);
    c.fillCircle({400, 550}, 60, rgba(200, 30, 30, 60));
}

void den(Canvas& c, Random& random) {
    c.verticalGradient(0, 0, W, F, rgba(30, 20, 16), rgba(70, 50, 36));
    for (int i = 0; i < 40; ++i)  // rocks of the walls
        c.fillEllipse({random.between(0, W), random.between(90, 480)}, random.between(30, 80),
                      random.between(20, 50), shade(rgba(80, 60, 44), random.between(0.6, 1.2)));
    for (const double x : {150.0, 650.0}) {  // torches
        c.radialGlow({x, 260}, 180, rgba(255, 160, 60, 120));
        c.fillRect(static_cast<int>(x) - 4, 270, 8, 60, rgba(70, 40, 20));
        c.fillEllipse({x, 258}, 12, 22, rgba(255, 170, 40));
        c.fillEllipse({x, 264}, 6, 12, rgba(255, 240, 160));
    }
    floorPlane(c, rgba(90, 66, 44), rgba(66, 48, 34), rgba(40, 28, 20, 80), 12);
}

void street(Canvas& c, Random& random, Color tint) {
    sky(c, rgba(30, 40, 90), mix(rgba(250, 170, 110), tint, 0.3));
    for (int x = -20; x < W;) {  // houses along the bend
        const int w = random.wholeBetween(110, 190);
        const int top = random.wholeBetween(150, 300);
        const Color wall = shade(mix(rgba(150, 130, 120), tint, 0.25), random.between(0.6, 1.0));
        c.fillRect(x, top, w - 6, F - top, wall);
        for (int wy = top + 20; wy < F - 60; wy += 50)
            for (int wx = x + 14; wx < x + w - 40; wx += 38)
                c.fillRect(wx, wy, 22, 28,
                           random.unit() < 0.4 ? rgba(255, 220, 120) : rgba(40, 50, 70));
        x += w;
    }
    c.fillRect(620, 200, 10, 300, rgba(40, 40, 46));  // street lamp
    c.line({625, 204}, {570, 204}, 6, rgba(40, 40, 46));
    c.radialGlow({570, 214}, 90, rgba(255, 230, 150, 140));
    floorPlane(c, rgba(70, 70, 76), rgba(50, 50, 56), rgba(220, 210, 120, 70), 10);
}

void barRoom(Canvas& c, Random& random) {
    c.fillRect(0, 0, W, F, rgba(110, 50, 36));
    for (int y = 0; y < F; y += 24)  // brick wall
        for (int x = (y / 24) % 2 ? -30 : 0; x < W; x += 60)
            c.frameRect(x, y, 60, 24, rgba(70, 32, 24), 2);
    c.fillRect(0, 380, W, 120, rgba(70, 40, 24));  // the bar counter
    c.fillRect(0, 372, W, 12, rgba(120, 80, 40));
    for (int x = 40; x < W; x += 70) {
        c.fillRect(x, 330, 14, 42, rgba(random.wholeBetween(40, 160), 120, 40, 220));
        c.fillRect(x + 4, 318, 6, 14, rgba(60, 90, 40));
    }
    c.radialGlow({400, 200}, 220, rgba(255, 60, 60, 80));
    c.drawText(290, 170, "BIKERS", rgba(255, 90, 90), TextStyle::scaled(5, true));
    floorPlane(c, rgba(90, 60, 40), rgba(70, 46, 30), rgba(40, 24, 16, 90), 18);
}

void greatWall(Canvas& c, Random&) {
    sky(c, rgba(120, 170, 210), rgba(240, 230, 200));
    for (int i = 0; i < 5; ++i) {  // mountains
        const double x = i * 200 - 40;
        c.fillPolygon({{x, 420}, {x + 140, 200 + i % 2 * 60.0}, {x + 300, 420}},
                      mix(rgba(90, 120, 100), rgba(200, 210, 210), 0.3));
    }
    c.fillRect(0, 380, W, 120, rgba(150, 130, 100));  // the wall with its battlements
    for (int x = 0; x < W; x += 40) c.fillRect(x, 356, 24, 26, rgba(150, 130, 100));
    for (int y = 390; y < 500; y += 18)
        for (int x = (y / 18) % 2 ? -20 : 0; x < W; x += 40)
            c.frameRect(x, y, 40, 18, rgba(120, 100, 76), 1);
    c.fillRect(560, 250, 160, 130, rgba(160, 40, 30));  // a watchtower
    c.fillPolygon({{540, 260}, {640, 200}, {740, 260}}, rgba(60, 40, 30));
    floorPlane(c, rgba(170, 150, 120), rgba(150, 130, 100), rgba(110, 90, 70, 90), 16);
}

void dojo(Canvas& c, Random&) {
    c.fillRect(0, 0, W, F, rgba(230, 220, 190));
    for (int x = 0; x < W; x += 160) {  // paper screens
        c.frameRect(x, 110, 160, 390, rgba(90, 60, 36), 8);
        for (int gx = x + 40; gx < x + 160; gx += 40) c.fillRect(gx, 110, 3, 390, rgba(90, 60, 36));
        for (int gy = 170; gy < 500; gy += 60) c.fillRect(x, gy, 160, 3, rgba(90, 60, 36));
    }
    c.fillRect(340, 150, 120, 220, rgba(250, 246, 230));  // a hanging scroll
    c.frameRect(340, 150, 120, 220, rgba(120, 30, 30), 6);
    c.fillCircle({400, 240}, 36, rgba(200, 30, 30));
    floorPlane(c, rgba(200, 190, 120), rgba(180, 170, 100), rgba(120, 110, 60, 90), 8);
}

void meadowFeast(Canvas& c, Random& random) {
    sky(c, rgba(80, 170, 240), rgba(220, 240, 255));
    c.fillEllipse({200, 520}, 400, 160, rgba(100, 170, 70));
    c.fillEllipse({650, 530}, 380, 150, rgba(80, 150, 60));
    c.fillRect(396, 120, 10, 380, rgba(200, 180, 140));  // the maypole
    c.fillCircle({401, 120}, 30, rgba(40, 130, 40));
    for (int i = 0; i < 8; ++i) {
        const Color ribbon = rgba(random.wholeBetween(120, 255), random.wholeBetween(40, 200),
                                  random.wholeBetween(40, 255));
        c.line({401, 140}, {130.0 + i * 80, 420 + (i % 3) * 20.0}, 3, ribbon);
    }
    for (int x = 0; x < W; x += 30)  // a string of flags
        c.fillPolygon({{x * 1.0, 170 + std::sin(x * 0.01) * 20},
                       {x + 24.0, 170 + std::sin((x + 24) * 0.01) * 20},
                       {x + 12.0, 200 + std::sin(x * 0.01) * 20}},
                      x / 30 % 2 ? rgba(230, 40, 40) : rgba(250, 250, 250));
    floorPlane(c, rgba(100, 170, 60), rgba(80, 150, 50), rgba(40, 90, 20, 50), 14);
}

void armyRange(Canvas& c, Random& random) {
    sky(c, rgba(130, 150, 160), rgba(220, 210, 180));
    for (int x = 40; x < W; x += 250) {  // tents
        c.fillPolygon({{x * 1.0, 440}, {x + 90.0, 330}, {x + 180.0, 440}}, rgba(90, 100, 60));
        c.fillPolygon({{x + 70.0, 440}, {x + 90.0, 380}, {x + 110.0, 440}}, rgba(40, 44, 30));
    }
    for (int x = 0; x < W; x += 46)  // sandbags
        for (int row = 0; row < 2; ++row)
            c.fillEllipse({x + (row ? 23.0 : 0.0), 470 - row * 18.0}, 24, 11,
                          shade(rgba(180, 160, 110), random.between(0.8, 1.0)));
    for (const double x : {200.0, 560.0}) {  // targets
        c.fillRect(static_cast<int>(x) - 3, 300, 6, 120, rgba(90, 60, 30));
        for (int ring = 4; ring > 0; --ring)
            c.fillCircle({x, 290}, ring * 10.0, ring % 2 ? rgba(220, 30, 30) : rgba(250, 250, 250));
    }
    floorPlane(c, rgba(140, 120, 80), rgba(120, 104, 70), rgba(80, 66, 40, 80), 12);
}

void computerRoom(Canvas& c, Random& random) {
    c.verticalGradient(0, 0, W, F, rgba(40, 50, 70), rgba(90, 100, 120));
    for (int x = 20; x < W; x += 190) {  // desks with monitors
        c.fillRect(x, 400, 160, 14, rgba(150, 120, 90));
        c.fillRect(x + 10, 414, 10, 86, rgba(110, 90, 70));
        c.fillRect(x + 140, 414, 10, 86, rgba(110, 90, 70));
        c.fillRect(x + 40, 310, 90, 70, rgba(220, 220, 210));
        c.fillRect(x + 48, 318, 74, 54, rgba(20, 40, 30));
        for (int line = 0; line < 5; ++line)
            c.fillRect(x + 54, 324 + line * 9, random.wholeBetween(20, 60), 3, rgba(80, 240, 120));
        c.fillRect(x + 78, 380, 14, 20, rgba(200, 200, 190));
    }
    for (int x = 0; x < W; x += 100) c.fillRect(x + 20, 120, 60, 140, rgba(60, 74, 100));
    floorPlane(c, rgba(110, 110, 120), rgba(90, 90, 100), rgba(60, 60, 70, 80), 16);
}

}  // namespace

Canvas fightBackground(std::string_view stem) {
    Canvas c(W, H, rgba(0, 0, 0));
    Random random(seedOf(stem));
    const std::string name(stem);
    if (name == "most") {
        bridge(c, random);
    } else if (name == "les1" || name == "les2") {
        forest(c, random, name == "les2");
    } else if (name == "plaz") {
        beach(c, random);
    } else if (name == "arkaden") {
        arcade(c, random);
    } else if (name == "telocvik") {
        gym(c, random);
    } else if (name == "klec") {
        cage(c, random);
    } else if (name == "doupe") {
        den(c, random);
    } else if (name == "bejkarna") {
        barRoom(c, random);
    } else if (name == "cinskazed") {
        greatWall(c, random);
    } else if (name == "krtpoz") {
        dojo(c, random);
    } else if (name == "majovka") {
        meadowFeast(c, random);
    } else if (name == "svazarm") {
        armyRange(c, random);
    } else if (name == "zatacka") {
        street(c, random, rgba(230, 120, 70));
    } else if (name == "brejlpozadi") {
        computerRoom(c, random);
    } else {
        street(c, random,
               rgba(random.wholeBetween(0, 255), random.wholeBetween(0, 255),
                    random.wholeBetween(0, 255)));
    }
    darkTopBand(c);
    return c;
}

}  // namespace vk::gen
