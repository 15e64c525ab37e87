// Where the game's 800 x 600 canvas lies inside a window of any size: scaled as large as
// fits with its shape kept, centred, black bars filling the rest.
#pragma once

#include <optional>

namespace vk::sdl {

constexpr int kCanvasWidth = 800;
constexpr int kCanvasHeight = 600;

struct ViewRect {
    int x, y, w, h;
    bool operator==(const ViewRect&) const = default;
};

ViewRect letterbox(int windowWidth, int windowHeight);

struct TwipsPoint {
    float x, y;
};

// A window point as twips on the canvas; nullopt on the black bars.
std::optional<TwipsPoint> windowToTwips(int x, int y, int windowWidth, int windowHeight);

}  // namespace vk::sdl
