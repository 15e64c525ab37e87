#include "runtime/sdl/screen_renderer.h"

#include <algorithm>
#include <cmath>

#include "runtime/control_set.h"
#include "runtime/runtime.h"
#include "runtime/screen.h"
#include "runtime/sdl/canvas_view.h"

namespace vk::sdl {

namespace {

int toPixels(float twips) { return static_cast<int>(std::lround(twips / kTwipsPerPixel)); }

constexpr Colour kShadow = 0x808080;
constexpr Colour kDarkShadow = 0x404040;
constexpr Colour kHighlight = 0xFFFFFF;
// Text beyond this many cached textures is drawn afresh (a counter changing every frame).
constexpr std::size_t kMaxTextTextures = 512;

}  // namespace

SDL_Rect pixelRect(const Control& c) {
    const int x = toPixels(c.left());
    const int y = toPixels(c.top());
    return {x, y, toPixels(c.left() + c.width()) - x, toPixels(c.top() + c.height()) - y};
}

SDL_Color sdlColour(Colour colour) {
    return {static_cast<Uint8>(colour & 0xFF), static_cast<Uint8>((colour >> 8) & 0xFF),
            static_cast<Uint8>((colour >> 16) & 0xFF), 255};
}

namespace {

constexpr SDL_Rect kCanvas{0, 0, kCanvasWidth, kCanvasHeight};

bool isEmpty(const SDL_Rect& r) { return r.w <= 0 || r.h <= 0; }

SDL_Rect onCanvas(const SDL_Rect& r) {
    SDL_Rect inside{};
    return SDL_IntersectRect(&r, &kCanvas, &inside) ? inside : SDL_Rect{};
}

long areaOf(const SDL_Rect& r) { return static_cast<long>(r.w) * r.h; }

SDL_Rect joined(const SDL_Rect& a, const SDL_Rect& b) {
    SDL_Rect both;
    SDL_UnionRect(&a, &b, &both);
    return both;
}

// The pixels a line may touch: its ends' box, widened by its width and a pixel of rounding.
SDL_Rect lineBounds(const Control& line) {
    const float px = kTwipsPerPixel;
    const float reach = std::max(1.0f, line.borderWidth()) / 2 + 2;
    const float left = std::min(line.x1(), line.x2()) / px - reach;
    const float top = std::min(line.y1(), line.y2()) / px - reach;
    const float right = std::max(line.x1(), line.x2()) / px + reach;
    const float bottom = std::max(line.y1(), line.y2()) / px + reach;
    const int x = static_cast<int>(std::floor(left)), y = static_cast<int>(std::floor(top));
    return {x, y, static_cast<int>(std::ceil(right)) - x, static_cast<int>(std::ceil(bottom)) - y};
}

}  // namespace

ScreenRenderer::Scene ScreenRenderer::sceneOf(const Runtime& runtime, std::size_t expected) {
    Scene scene;
    scene.reserve(expected);
    for (const Screen* screen : runtime.visibleScreens()) {
        const ControlSet* controls = screen->controlsIfLoaded();
        if (!controls) continue;
        Drawn back;
        back.screen = controls;
        back.bounds = kCanvas;
        back.style.picture = controls->background ? controls->background->sharedData() : nullptr;
        back.style.back = controls->backColor;
        scene.push_back(std::move(back));
        for (const Control* control : controls->all()) scene.push_back(drawnOf(*control));
    }
    return scene;
}

ScreenRenderer::Drawn ScreenRenderer::drawnOf(const Control& c) {
    Drawn drawn;
    drawn.control = &c;
    if (!c.visible()) return drawn;  // draws nothing, whatever it holds
    const SDL_Rect r = pixelRect(c);
    Style& s = drawn.style;
    s = {.kind = static_cast<int>(c.kind()),
         .x = r.x,
         .y = r.y,
         .w = r.w,
         .h = r.h,
         .picture = c.picture() ? c.picture()->sharedData() : nullptr,
         .stretch = c.stretch(),
         .enabled = c.enabled(),
         .backOpaque = c.backOpaque(),
         .filled = c.filled(),
         .hasBorder = c.hasBorder(),
         .caption = c.caption(),
         .text = c.text(),
         .fore = c.foreColor(),
         .back = c.backColor(),
         .fill = c.fillColor(),
         .border = c.borderColor(),
         .borderWidth = c.borderWidth(),
         .shape = c.shape(),
         .x1 = c.x1(),
         .y1 = c.y1(),
         .x2 = c.x2(),
         .y2 = c.y2(),
         .font = c.font(),
         .alignment = c.alignment()};
    switch (c.kind()) {
        case ControlKind::Image:
            if (c.picture())
                drawn.bounds =
                    c.stretch() ? r
                                : SDL_Rect{r.x, r.y, c.picture()->width(), c.picture()->height()};
            break;
        case ControlKind::Line:
            drawn.bounds = lineBounds(c);
            break;
        case ControlKind::Timer:
        case ControlKind::SoundChannel:
        case ControlKind::MediaPlayer:
            break;  // never seen
        default:
            drawn.bounds = r;
    }
    drawn.bounds = onCanvas(drawn.bounds);
    return drawn;
}

// A pixel outside every changed control's old and new bounds is covered by the same
// controls, looking the same, in the same order, so it keeps its colour.
std::vector<SDL_Rect> ScreenRenderer::changesTo(const Scene& next) const {
    std::vector<SDL_Rect> areas = marked_;
    const auto add = [&areas](const SDL_Rect& r) {
        if (!isEmpty(r)) areas.push_back(r);
    };
    const std::size_t both = std::min(shown_.size(), next.size());
    for (std::size_t i = 0; i < both; ++i) {
        const Drawn &was = shown_[i], &now = next[i];
        if (SDL_RectEquals(&was.bounds, &now.bounds) && was.style == now.style) continue;
        add(was.bounds);
        add(now.bounds);
    }
    for (std::size_t i = both; i < shown_.size(); ++i) add(shown_[i].bounds);
    for (std::size_t i = both; i < next.size(); ++i) add(next[i].bounds);
    return coveringAreas(std::move(areas));
}

void ScreenRenderer::draw(const Runtime& runtime) {
    shown_.clear();
    drawChanges(runtime);
}

const std::vector<SDL_Rect>& ScreenRenderer::drawChanges(const Runtime& runtime) {
    Scene next = sceneOf(runtime, shown_.size());
    changed_ = shown_.empty() ? std::vector<SDL_Rect>{kCanvas} : changesTo(next);
    marked_.clear();
    for (const SDL_Rect& area : changed_) redraw(next, area);
    SDL_RenderSetClipRect(renderer_, nullptr);
    shown_ = std::move(next);
    // Pictures no screen holds any more free their textures.
    if (!changed_.empty())
        std::erase_if(pictures_, [](const auto& entry) { return entry.second.data.expired(); });
    return changed_;
}

void ScreenRenderer::redraw(const Scene& scene, const SDL_Rect& area) {
    area_ = area;
    unclip();
    // Nothing below the last opaque background shows.
    std::size_t from = 0;
    bool covered = false;
    for (std::size_t i = 0; i < scene.size(); ++i)
        if (scene[i].screen && hidesBelow(*scene[i].screen)) from = i, covered = true;
    if (!covered) fill(area, colours::kBlack);
    for (std::size_t i = from; i < scene.size(); ++i) {
        const Drawn& drawn = scene[i];
        if (!SDL_HasIntersection(&drawn.bounds, &area)) continue;
        if (drawn.screen)
            drawScreen(*drawn.screen);
        else
            drawControl(*drawn.control);
    }
    for (const Overlay& overlay : overlays_) drawOverlay(overlay);
}

void ScreenRenderer::setOverlays(std::vector<Overlay> overlays) {
    const auto markMissing = [this](const std::vector<Overlay>& from,
                                    const std::vector<Overlay>& in) {
        for (const Overlay& overlay : from)
            if (std::find(in.begin(), in.end(), overlay) == in.end())
                if (const SDL_Rect area = onCanvas(overlay.area); !isEmpty(area)) markChanged(area);
    };
    markMissing(overlays_, overlays);
    markMissing(overlays, overlays_);
    overlays_ = std::move(overlays);
}

// A new picture every time (a video turns its frames): no texture is kept for it.
void ScreenRenderer::drawOverlay(const Overlay& overlay) {
    if (!clipTo(overlay.area)) return;
    if (TexturePtr texture{SDL_CreateTextureFromSurface(renderer_, overlay.picture)}) {
        const SDL_Rect dest{overlay.area.x, overlay.area.y, overlay.picture->w, overlay.picture->h};
        SDL_RenderCopy(renderer_, texture.get(), nullptr, &dest);
    }
    unclip();
}

void ScreenRenderer::drawScreen(const ControlSet& controls) {
    if (!hidesBelow(controls)) fill(kCanvas, controls.backColor);
    if (controls.background) drawPicture(*controls.background, kCanvas);
}

bool ScreenRenderer::hidesBelow(const ControlSet& controls) {
    const PictureTexture* background =
        controls.background ? pictureTexture(*controls.background, kCanvasWidth, kCanvasHeight)
                            : nullptr;
    return background && background->opaque;
}

std::vector<SDL_Rect> coveringAreas(std::vector<SDL_Rect> areas) {
    // Joining two areas costs at most this many pixels more than drawing both.
    constexpr long kJoinSlack = 64L * 64;
    constexpr std::size_t kMostAreas = 12;
    for (bool joinedAny = true; joinedAny;) {
        joinedAny = false;
        for (std::size_t i = 0; i < areas.size() && !joinedAny; ++i)
            for (std::size_t j = i + 1; j < areas.size(); ++j) {
                const SDL_Rect both = joined(areas[i], areas[j]);
                if (areaOf(both) > areaOf(areas[i]) + areaOf(areas[j]) + kJoinSlack) continue;
                areas[i] = both;
                areas.erase(areas.begin() + static_cast<std::ptrdiff_t>(j));
                joinedAny = true;
                break;
            }
    }
    while (areas.size() > kMostAreas) {  // the pair that costs least to join
        std::size_t bestI = 0, bestJ = 1;
        long bestCost = -1;
        for (std::size_t i = 0; i < areas.size(); ++i)
            for (std::size_t j = i + 1; j < areas.size(); ++j) {
                const long cost =
                    areaOf(joined(areas[i], areas[j])) - areaOf(areas[i]) - areaOf(areas[j]);
                if (bestCost < 0 || cost < bestCost) bestI = i, bestJ = j, bestCost = cost;
            }
        areas[bestI] = joined(areas[bestI], areas[bestJ]);
        areas.erase(areas.begin() + static_cast<std::ptrdiff_t>(bestJ));
    }
    long total = 0;
    for (const SDL_Rect& r : areas) total += areaOf(r);
    if (total * 10 > areaOf(kCanvas) * 6) return {kCanvas};
    return areas;
}

void ScreenRenderer::drawControl(const Control& control) {
    switch (control.kind()) {
        case ControlKind::Image:
            return drawImage(control);
        case ControlKind::PictureBox:
            return drawPictureBox(control);
        case ControlKind::Label:
            return drawLabel(control);
        case ControlKind::TextBox:
            return drawTextBox(control);
        case ControlKind::CommandButton:
            return drawButton(control);
        case ControlKind::Shape:
            return drawShape(control);
        case ControlKind::Line:
            return drawLine(control);
        case ControlKind::Timer:
        case ControlKind::SoundChannel:
        case ControlKind::MediaPlayer:
            return;  // never seen
    }
}

void ScreenRenderer::drawImage(const Control& image) {
    if (!image.picture()) return;
    SDL_Rect dest = pixelRect(image);
    // Without stretching a picture keeps its own size from the control's corner.
    if (!image.stretch()) {
        dest.w = image.picture()->width();
        dest.h = image.picture()->height();
    }
    drawPicture(*image.picture(), dest);
}

void ScreenRenderer::drawPictureBox(const Control& box) {
    const SDL_Rect r = pixelRect(box);
    fill(r, box.backColor());
    if (box.picture() && clipTo(r)) {
        drawPicture(*box.picture(), {r.x, r.y, box.picture()->width(), box.picture()->height()});
        unclip();
    }
    if (box.hasBorder()) frame(r, colours::kBlack);
}

void ScreenRenderer::drawLabel(const Control& label) {
    const SDL_Rect r = pixelRect(label);
    if (label.backOpaque()) fill(r, label.backColor());
    drawText(label.caption(), label.font(), label.foreColor(), label.alignment(), r, TextPlace::Top,
             true);
    if (label.hasBorder()) frame(r, colours::kBlack);
}

void ScreenRenderer::drawTextBox(const Control& box) {
    const SDL_Rect r = pixelRect(box);
    fill(r, box.backColor());
    const SDL_Rect inside{r.x + 4, r.y + 2, r.w - 8, r.h - 4};
    drawText(box.text(), box.font(), box.foreColor(), box.alignment(), inside, TextPlace::Top,
             false);
    sunkenEdge(r);
}

void ScreenRenderer::drawButton(const Control& button) {
    const SDL_Rect r = pixelRect(button);
    fill(r, button.backColor());
    raisedEdge(r);
    const SDL_Rect inside{r.x + 2, r.y + 2, r.w - 4, r.h - 4};
    drawText(button.caption(), button.font(), button.enabled() ? button.foreColor() : kShadow,
             Alignment::Center, inside, TextPlace::Middle, true);
}

void ScreenRenderer::drawShape(const Control& shape) {
    SDL_Rect r = pixelRect(shape);
    const ShapeKind kind = shape.shape();
    // Squares and circles take the shorter side and sit in the middle of the control.
    if (kind == ShapeKind::Square || kind == ShapeKind::Circle ||
        kind == ShapeKind::RoundedSquare) {
        const int side = std::min(r.w, r.h);
        r = {r.x + (r.w - side) / 2, r.y + (r.h - side) / 2, side, side};
    }
    const bool round = kind == ShapeKind::Oval || kind == ShapeKind::Circle;
    const int border = std::max(0, static_cast<int>(std::lround(shape.borderWidth())));
    if (shape.filled()) {
        const SDL_Color c = sdlColour(shape.fillColor());
        SDL_SetRenderDrawColor(renderer_, c.r, c.g, c.b, 255);
        if (round)
            fillEllipse(renderer_, r);
        else
            SDL_RenderFillRect(renderer_, &r);
    }
    if (border == 0) return;
    if (round) {
        const SDL_Color c = sdlColour(shape.borderColor());
        SDL_SetRenderDrawColor(renderer_, c.r, c.g, c.b, 255);
        fillEllipse(renderer_, r, border);
    } else {
        frame(r, shape.borderColor(), border);
    }
}

void ScreenRenderer::drawLine(const Control& line) {
    const auto px = [](float twips) { return twips / kTwipsPerPixel; };
    strokeLine(renderer_, px(line.x1()), px(line.y1()), px(line.x2()), px(line.y2()),
               std::max(1.0f, line.borderWidth()), sdlColour(line.borderColor()));
}

void ScreenRenderer::drawText(const std::string& text, const Font& font, Colour colour,
                              Alignment alignment, const SDL_Rect& box, TextPlace place,
                              bool wrap) {
    if (text.empty() || box.w <= 0 || box.h <= 0) return;
    int w = 0, h = 0;
    const std::string shown(
        visiblePart(text, box.w, box.h, fonts_.lineHeight(font), wrap, alignment));
    SDL_Texture* texture = textTexture(shown, font, colour, alignment, wrap ? box.w : 0, w, h);
    if (!texture) return;
    int x = box.x;
    if (alignment == Alignment::Center) x += (box.w - w) / 2;
    if (alignment == Alignment::Right) x += box.w - w;
    const int y = place == TextPlace::Middle ? box.y + (box.h - h) / 2 : box.y;
    const SDL_Rect dest{x, y, w, h};
    if (!clipTo(box)) return;
    SDL_RenderCopy(renderer_, texture, nullptr, &dest);
    unclip();
}

bool ScreenRenderer::clipTo(const SDL_Rect& r) {
    SDL_Rect inside{};
    if (!SDL_IntersectRect(&r, &area_, &inside)) return false;
    SDL_RenderSetClipRect(renderer_, &inside);
    return true;
}

void ScreenRenderer::unclip() { SDL_RenderSetClipRect(renderer_, &area_); }

SDL_Texture* ScreenRenderer::textTexture(const std::string& text, const Font& font, Colour colour,
                                         Alignment alignment, int wrapWidth, int& w, int& h) {
    const std::string key =
        font.name + '|' + std::to_string(font.size) + '|' + std::to_string(font.bold) +
        std::to_string(font.italic) + '|' + std::to_string(colour) + '|' +
        std::to_string(static_cast<int>(alignment)) + '|' + std::to_string(wrapWidth) + '|' + text;
    auto found = texts_.find(key);
    if (found == texts_.end()) {
        TTF_Font* ttf = fonts_.open(font);
        if (!ttf) return nullptr;
        TTF_SetFontWrappedAlign(ttf, alignment == Alignment::Center  ? TTF_WRAPPED_ALIGN_CENTER
                                     : alignment == Alignment::Right ? TTF_WRAPPED_ALIGN_RIGHT
                                                                     : TTF_WRAPPED_ALIGN_LEFT);
        SurfacePtr surface(TTF_RenderUTF8_Blended_Wrapped(ttf, text.c_str(), sdlColour(colour),
                                                          static_cast<Uint32>(wrapWidth)));
        if (!surface) return nullptr;
        TexturePtr texture(SDL_CreateTextureFromSurface(renderer_, surface.get()));
        if (!texture) return nullptr;
        if (texts_.size() >= kMaxTextTextures) texts_.clear();
        found = texts_.emplace(key, TextTexture{std::move(texture), surface->w, surface->h}).first;
    }
    w = found->second.w;
    h = found->second.h;
    return found->second.texture.get();
}

void ScreenRenderer::fill(const SDL_Rect& r, Colour colour) {
    const SDL_Color c = sdlColour(colour);
    SDL_SetRenderDrawColor(renderer_, c.r, c.g, c.b, 255);
    SDL_RenderFillRect(renderer_, &r);
}

void ScreenRenderer::frame(const SDL_Rect& r, Colour colour, int thickness) {
    const SDL_Color c = sdlColour(colour);
    SDL_SetRenderDrawColor(renderer_, c.r, c.g, c.b, 255);
    const int t = std::min({thickness, (r.w + 1) / 2, (r.h + 1) / 2});
    const SDL_Rect sides[] = {{r.x, r.y, r.w, t},
                              {r.x, r.y + r.h - t, r.w, t},
                              {r.x, r.y, t, r.h},
                              {r.x + r.w - t, r.y, t, r.h}};
    SDL_RenderFillRects(renderer_, sides, 4);
}

void ScreenRenderer::edge(const SDL_Rect& r, Colour topLeft, Colour bottomRight) {
    const SDL_Color l = sdlColour(topLeft), d = sdlColour(bottomRight);
    SDL_SetRenderDrawColor(renderer_, l.r, l.g, l.b, 255);
    SDL_RenderDrawLine(renderer_, r.x, r.y, r.x + r.w - 1, r.y);
    SDL_RenderDrawLine(renderer_, r.x, r.y, r.x, r.y + r.h - 1);
    SDL_SetRenderDrawColor(renderer_, d.r, d.g, d.b, 255);
    SDL_RenderDrawLine(renderer_, r.x, r.y + r.h - 1, r.x + r.w - 1, r.y + r.h - 1);
    SDL_RenderDrawLine(renderer_, r.x + r.w - 1, r.y, r.x + r.w - 1, r.y + r.h - 1);
}

void ScreenRenderer::raisedEdge(const SDL_Rect& r) { edge(r, kHighlight, kDarkShadow); }

// Two rings deep, as a text box's edge is on the desktop: a neighbour drawn later that
// overlaps the outer ring by a pixel leaves the inner ring, so every side still shows.
void ScreenRenderer::sunkenEdge(const SDL_Rect& r) {
    edge(r, kShadow, kHighlight);
    edge({r.x + 1, r.y + 1, r.w - 2, r.h - 2}, kDarkShadow, colours::kButtonFace);
}

void ScreenRenderer::drawPicture(const Picture& picture, const SDL_Rect& dest) {
    if (const PictureTexture* drawn = pictureTexture(picture, dest.w, dest.h))
        SDL_RenderCopy(renderer_, drawn->texture.get(), nullptr, &dest);
}

namespace {

bool opaque(const PictureData& data) {
    return std::all_of(data.rgba.begin(), data.rgba.end(),
                       [](std::uint32_t p) { return (p & 0xFF) == 0xFF; });
}

// The pixels as a surface of the given format, scaled to w x h.
SurfacePtr surfaceOf(const PictureData& data, Uint32 format, int w, int h) {
    SurfacePtr own(SDL_CreateRGBSurfaceWithFormatFrom(const_cast<std::uint32_t*>(data.rgba.data()),
                                                      data.width, data.height, 32, data.width * 4,
                                                      SDL_PIXELFORMAT_RGBA8888));
    if (!own) return nullptr;
    SurfacePtr converted(SDL_ConvertSurfaceFormat(own.get(), format, 0));
    if (!converted || (w == data.width && h == data.height)) return converted;
    SurfacePtr scaled(SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, format));
    SDL_SetSurfaceBlendMode(converted.get(), SDL_BLENDMODE_NONE);
    if (!scaled || SDL_BlitScaled(converted.get(), nullptr, scaled.get(), nullptr) != 0)
        return nullptr;
    return scaled;
}

}  // namespace

const ScreenRenderer::PictureTexture* ScreenRenderer::pictureTexture(const Picture& picture, int w,
                                                                     int h) {
    const PictureData& data = picture.data();
    const std::size_t pixels =
        static_cast<std::size_t>(data.width) * static_cast<std::size_t>(data.height);
    if (pixels == 0 || data.rgba.size() != pixels || w <= 0 || h <= 0) return nullptr;
    const auto key = std::make_tuple(&data, w, h);
    auto found = pictures_.find(key);
    // The same address may now hold other pixels if the old ones were freed.
    if (found != pictures_.end() && found->second.data.expired()) {
        pictures_.erase(found);
        found = pictures_.end();
    }
    if (found == pictures_.end()) {
        // Opaque pictures are copied, not blended, in the target's own format.
        const bool isOpaque = opaque(data);
        const Uint32 format = isOpaque ? opaqueFormat_ : Uint32{SDL_PIXELFORMAT_ARGB8888};
        const SurfacePtr surface = surfaceOf(data, format, w, h);
        if (!surface) return nullptr;
        TexturePtr texture(SDL_CreateTexture(renderer_, format, SDL_TEXTUREACCESS_STATIC, w, h));
        if (!texture) return nullptr;
        SDL_UpdateTexture(texture.get(), nullptr, surface->pixels, surface->pitch);
        SDL_SetTextureBlendMode(texture.get(), isOpaque ? SDL_BLENDMODE_NONE : SDL_BLENDMODE_BLEND);
        found =
            pictures_
                .emplace(key, PictureTexture{picture.sharedData(), std::move(texture), isOpaque})
                .first;
    }
    return &found->second;
}

void fillEllipse(SDL_Renderer* renderer, const SDL_Rect& r, int ring) {
    if (r.w <= 0 || r.h <= 0) return;
    const double a = r.w / 2.0, b = r.h / 2.0;
    const double ia = a - ring, ib = b - ring;
    const double cx = r.x + a;
    for (int row = 0; row < r.h; ++row) {
        const double dy = row + 0.5 - b;
        const double outer = a * std::sqrt(std::max(0.0, 1 - dy * dy / (b * b)));
        const int left = static_cast<int>(std::lround(cx - outer));
        const int right = static_cast<int>(std::lround(cx + outer)) - 1;
        const int y = r.y + row;
        if (right < left) continue;
        if (ring <= 0 || ia <= 0 || ib <= 0 || std::abs(dy) >= ib) {
            SDL_RenderDrawLine(renderer, left, y, right, y);
            continue;
        }
        const double inner = ia * std::sqrt(std::max(0.0, 1 - dy * dy / (ib * ib)));
        const int holeLeft = static_cast<int>(std::lround(cx - inner));
        const int holeRight = static_cast<int>(std::lround(cx + inner)) - 1;
        SDL_RenderDrawLine(renderer, left, y, std::max(left, holeLeft - 1), y);
        SDL_RenderDrawLine(renderer, std::min(right, holeRight + 1), y, right, y);
    }
}

void strokeLine(SDL_Renderer* renderer, float x1, float y1, float x2, float y2, float width,
                SDL_Color colour) {
    SDL_SetRenderDrawColor(renderer, colour.r, colour.g, colour.b, 255);
    const float dx = x2 - x1, dy = y2 - y1;
    const float length = std::hypot(dx, dy);
    if (width <= 1.0f || length == 0.0f) {
        SDL_RenderDrawLineF(renderer, x1, y1, x2, y2);
        return;
    }
    // A quad around the centre line through the pixels' centres, half the width to each
    // side.
    x1 += 0.5f, y1 += 0.5f, x2 += 0.5f, y2 += 0.5f;
    const float nx = -dy / length * width / 2, ny = dx / length * width / 2;
    const SDL_FPoint none{0, 0};
    const SDL_Vertex corners[4] = {{{x1 + nx, y1 + ny}, colour, none},
                                   {{x2 + nx, y2 + ny}, colour, none},
                                   {{x2 - nx, y2 - ny}, colour, none},
                                   {{x1 - nx, y1 - ny}, colour, none}};
    const int order[6] = {0, 1, 2, 0, 2, 3};
    SDL_RenderGeometry(renderer, nullptr, corners, 4, order, 6);
}

}  // namespace vk::sdl
