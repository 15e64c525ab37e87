#include "runtime/sdl/canvas_view.h"

#include <algorithm>
#include <cmath>

#include "runtime/runtime.h"

namespace vk::sdl {

ViewRect letterbox(int windowWidth, int windowHeight) {
    if (windowWidth <= 0 || windowHeight <= 0) return {0, 0, kCanvasWidth, kCanvasHeight};
    const double scale = std::min(static_cast<double>(windowWidth) / kCanvasWidth,
                                  static_cast<double>(windowHeight) / kCanvasHeight);
    const int w = std::max(1, static_cast<int>(std::lround(kCanvasWidth * scale)));
    const int h = std::max(1, static_cast<int>(std::lround(kCanvasHeight * scale)));
    return {(windowWidth - w) / 2, (windowHeight - h) / 2, w, h};
}

std::optional<TwipsPoint> windowToTwips(int x, int y, int windowWidth, int windowHeight) {
    const ViewRect view = letterbox(windowWidth, windowHeight);
    if (x < view.x || y < view.y || x >= view.x + view.w || y >= view.y + view.h)
        return std::nullopt;
    // The centre of the window pixel, in canvas pixels, then twips.
    const double canvasX = (x - view.x + 0.5) * kCanvasWidth / view.w;
    const double canvasY = (y - view.y + 0.5) * kCanvasHeight / view.h;
    return TwipsPoint{static_cast<float>(static_cast<int>(canvasX) * kTwipsPerPixel),
                      static_cast<float>(static_cast<int>(canvasY) * kTwipsPerPixel)};
}

}  // namespace vk::sdl
