#include "runtime/sdl/frame_output.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string_view>
#include <vector>

#include "runtime/sdl/canvas_view.h"
#include "runtime/sdl/renderer_probe.h"
#include "runtime/sdl/screen_renderer.h"

namespace vk::sdl {

namespace {

constexpr SDL_Rect kCanvas{0, 0, kCanvasWidth, kCanvasHeight};

SDL_Rect viewIn(int w, int h) {
    const ViewRect view = letterbox(w, h);
    return {view.x, view.y, view.w, view.h};
}

// An accelerated renderer (or SDL's software one where the window's pixels are of a kind
// the surface output cannot scale): the canvas is a texture that keeps its pixels between
// frames, copied whole into the window at each frame.
class TextureOutput : public FrameOutput {
  public:
    explicit TextureOutput(RendererPtr renderer) : renderer_(std::move(renderer)) {
        canvas_.reset(SDL_CreateTexture(renderer_.get(), SDL_PIXELFORMAT_ARGB8888,
                                        SDL_TEXTUREACCESS_TARGET, kCanvasWidth, kCanvasHeight));
        if (!canvas_) throw SdlError("Cannot create the game's canvas");
        SDL_SetTextureBlendMode(canvas_.get(), SDL_BLENDMODE_NONE);
        SDL_SetTextureScaleMode(canvas_.get(), SDL_ScaleModeLinear);
        screens_.emplace(renderer_.get());
    }

    void present(const Runtime& runtime, bool wholeWindow) override {
        SDL_Renderer* r = renderer_.get();
        if (wholeWindow) screens_->forgetCanvas();  // a reset renderer may have lost it
        SDL_SetRenderTarget(r, canvas_.get());
        const bool changed = !screens_->drawChanges(runtime).empty();
        SDL_SetRenderTarget(r, nullptr);
        if (!changed && !wholeWindow) return;
        SDL_SetRenderDrawColor(r, 0, 0, 0, 255);
        SDL_RenderClear(r);
        int w = 0, h = 0;
        SDL_GetRendererOutputSize(r, &w, &h);
        const SDL_Rect view = viewIn(w, h);
        SDL_RenderCopy(r, canvas_.get(), nullptr, &view);
        SDL_RenderPresent(r);
    }

    ScreenRenderer& screens() override { return *screens_; }

  private:
    RendererPtr renderer_;
    TexturePtr canvas_;
    std::optional<ScreenRenderer> screens_;  // holds textures of renderer_: goes first
};

// SDL's software renderer draws the canvas into a surface of the window's pixel kind;
// the changed areas are copied (or scaled) into the window's frame buffer and only those
// are sent to the display.
class SurfaceOutput : public FrameOutput {
  public:
    // 32-bit pixels with 8-bit colours in the low three bytes, which stretchCanvas scales.
    static bool suits(const SDL_Surface& window) {
        const SDL_PixelFormat& f = *window.format;
        const auto oneByte = [](Uint32 mask) {
            return mask == 0xFF || mask == 0xFF00 || mask == 0xFF0000;
        };
        return f.BytesPerPixel == 4 && (f.Amask == 0 || f.Amask == 0xFF000000) &&
               oneByte(f.Rmask) && oneByte(f.Gmask) && oneByte(f.Bmask);
    }

    SurfaceOutput(SDL_Window* window, const SDL_Surface& pixels) : window_(window) {
        canvas_.reset(SDL_CreateRGBSurfaceWithFormat(0, kCanvasWidth, kCanvasHeight, 32,
                                                     pixels.format->format));
        if (!canvas_) throw SdlError("Cannot create the game's canvas");
        SDL_SetSurfaceBlendMode(canvas_.get(), SDL_BLENDMODE_NONE);
        renderer_.reset(SDL_CreateSoftwareRenderer(canvas_.get()));
        if (!renderer_) throw SdlError("Cannot draw the game's canvas");
        screens_.emplace(renderer_.get(), canvas_->format->format);
    }

    void present(const Runtime& runtime, bool wholeWindow) override {
        const std::vector<SDL_Rect>& changed = screens_->drawChanges(runtime);
        SDL_RenderFlush(renderer_.get());
        SDL_Surface* window = SDL_GetWindowSurface(window_);
        if (!window) return;
        const SDL_Rect view = viewIn(window->w, window->h);
        // A new frame buffer (the window was resized) starts out empty.
        if (wholeWindow || window != shownOn_ || window->w != shownW_ || window->h != shownH_) {
            shownOn_ = window, shownW_ = window->w, shownH_ = window->h;
            SDL_FillRect(window, nullptr, SDL_MapRGB(window->format, 0, 0, 0));
            show(kCanvas, view, *window);
            SDL_UpdateWindowSurface(window_);
            return;
        }
        updated_.clear();
        for (const SDL_Rect& area : changed) updated_.push_back(show(area, view, *window));
        if (!updated_.empty())
            SDL_UpdateWindowSurfaceRects(window_, updated_.data(),
                                         static_cast<int>(updated_.size()));
    }

    ScreenRenderer& screens() override { return *screens_; }

  private:
    // Puts a canvas area into the window; returns the window pixels it changed.
    SDL_Rect show(const SDL_Rect& area, const SDL_Rect& view, SDL_Surface& window) {
        if (view.w == kCanvasWidth && view.h == kCanvasHeight) {
            SDL_Rect from = area, to{view.x + area.x, view.y + area.y, area.w, area.h};
            SDL_BlitSurface(canvas_.get(), &from, &window, &to);
            return to;
        }
        // The window pixels that sample the area: the filter reaches one canvas pixel
        // beyond each sample's place.
        const auto first = [](int at, int viewAt, int viewSize, int canvasSize) {
            return viewAt + static_cast<int>(std::floor((at - 0.5) * viewSize / canvasSize - 0.5)) -
                   1;
        };
        const int left = first(area.x, view.x, view.w, kCanvasWidth);
        const int top = first(area.y, view.y, view.h, kCanvasHeight);
        const int right = first(area.x + area.w + 1, view.x, view.w, kCanvasWidth) + 3;
        const int bottom = first(area.y + area.h + 1, view.y, view.h, kCanvasHeight) + 3;
        SDL_Rect reach{left, top, right - left, bottom - top}, changed{};
        if (!SDL_IntersectRect(&reach, &view, &changed)) return {};
        stretchCanvas(*canvas_, window, view, changed);
        return changed;
    }

    SDL_Window* window_;
    SurfacePtr canvas_;
    RendererPtr renderer_;
    std::optional<ScreenRenderer> screens_;
    const SDL_Surface* shownOn_ = nullptr;
    int shownW_ = 0, shownH_ = 0;
    std::vector<SDL_Rect> updated_;
};

// Where a window column (or row) samples the canvas: the pixel before the place and the
// weight, of 256, of the one after it.
struct Sample {
    int at, next;
    std::uint32_t weight;
};

std::vector<Sample> samplesOf(int from, int count, int viewAt, int viewSize, int canvasSize) {
    std::vector<Sample> samples(static_cast<std::size_t>(std::max(count, 0)));
    for (int i = 0; i < count; ++i) {
        // The window pixel's centre on the canvas, less half a pixel, in 256ths.
        const long long place =
            std::max(0LL, (2LL * (from + i - viewAt) + 1) * canvasSize * 128 / viewSize - 128);
        const int at = std::min(static_cast<int>(place >> 8), canvasSize - 1);
        samples[static_cast<std::size_t>(i)] = {at, std::min(at + 1, canvasSize - 1),
                                                static_cast<std::uint32_t>(place & 0xFF)};
    }
    return samples;
}

// Between two pixels by a weight of 256, both colour pairs at once.
inline std::uint32_t mix(std::uint32_t a, std::uint32_t b, std::uint32_t weight) {
    const std::uint32_t keep = 256 - weight;
    const std::uint32_t redBlue = ((a & 0xFF00FF) * keep + (b & 0xFF00FF) * weight) >> 8;
    const std::uint32_t green = ((a & 0xFF00) * keep + (b & 0xFF00) * weight) >> 8;
    return (redBlue & 0xFF00FF) | (green & 0xFF00) | 0xFF000000;
}

const std::uint32_t* rowOf(const SDL_Surface& s, int y) {
    return reinterpret_cast<const std::uint32_t*>(static_cast<const Uint8*>(s.pixels) +
                                                  static_cast<std::ptrdiff_t>(y) * s.pitch);
}

}  // namespace

void stretchCanvas(const SDL_Surface& canvas, SDL_Surface& window, const SDL_Rect& view,
                   const SDL_Rect& area) {
    SDL_Rect inView{}, region{};
    const SDL_Rect bounds{0, 0, window.w, window.h};
    if (!SDL_IntersectRect(&area, &view, &inView) || !SDL_IntersectRect(&inView, &bounds, &region))
        return;
    const auto columns = samplesOf(region.x, region.w, view.x, view.w, canvas.w);
    const auto rows = samplesOf(region.y, region.h, view.y, view.h, canvas.h);
    for (int y = 0; y < region.h; ++y) {
        const Sample& row = rows[static_cast<std::size_t>(y)];
        const std::uint32_t* above = rowOf(canvas, row.at);
        const std::uint32_t* below = rowOf(canvas, row.next);
        auto* out = const_cast<std::uint32_t*>(rowOf(window, region.y + y)) + region.x;
        for (const Sample& column : columns) {
            const std::uint32_t upper = mix(above[column.at], above[column.next], column.weight);
            const std::uint32_t lower = mix(below[column.at], below[column.next], column.weight);
            *out++ = mix(upper, lower, row.weight);
        }
    }
}

std::unique_ptr<FrameOutput> openFrameOutput(SDL_Window* window, RendererProbe& probe) {
    const char* chosen = std::getenv("SDL_RENDER_DRIVER");
    const bool onCpu = chosen ? std::string_view(chosen) == "software" : !probe.acceleratedOnGpu();
    if (!onCpu) {
        RendererPtr renderer(
            SDL_CreateRenderer(window, -1, SDL_RENDERER_ACCELERATED | SDL_RENDERER_TARGETTEXTURE));
        if (renderer) return std::make_unique<TextureOutput>(std::move(renderer));
    }
    return openSoftwareFrameOutput(window);
}

std::unique_ptr<FrameOutput> openSoftwareFrameOutput(SDL_Window* window) {
    // The window's frame buffer would go through OpenGL otherwise.
    SDL_SetHintWithPriority(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0", SDL_HINT_DEFAULT);
    if (const SDL_Surface* pixels = SDL_GetWindowSurface(window);
        pixels && SurfaceOutput::suits(*pixels))
        return std::make_unique<SurfaceOutput>(window, *pixels);
    RendererPtr renderer(SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE));
    if (!renderer) throw SdlError("Cannot draw in the game's window");
    return std::make_unique<TextureOutput>(std::move(renderer));
}

}  // namespace vk::sdl
