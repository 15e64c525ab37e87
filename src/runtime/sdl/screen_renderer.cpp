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

void ScreenRenderer::draw(const Runtime& runtime) {
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
    SDL_RenderClear(renderer_);
    for (const Screen* screen : runtime.visibleScreens())
        if (const ControlSet* controls = screen->controlsIfLoaded()) drawScreen(*controls);
    // Pictures no screen holds any more free their textures.
    std::erase_if(pictures_, [](const auto& entry) { return entry.second.data.expired(); });
}

void ScreenRenderer::drawScreen(const ControlSet& controls) {
    const SDL_Rect canvas{0, 0, kCanvasWidth, kCanvasHeight};
    fill(canvas, controls.backColor);
    if (controls.background) drawPicture(*controls.background, canvas);
    for (const Control* control : controls.all())
        if (control->visible()) drawControl(*control);
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
    if (box.picture()) {
        SDL_RenderSetClipRect(renderer_, &r);
        drawPicture(*box.picture(), {r.x, r.y, box.picture()->width(), box.picture()->height()});
        SDL_RenderSetClipRect(renderer_, nullptr);
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
    bevel(r, false);
}

void ScreenRenderer::drawButton(const Control& button) {
    const SDL_Rect r = pixelRect(button);
    fill(r, button.backColor());
    bevel(r, true);
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
    SDL_Texture* texture = textTexture(text, font, colour, alignment, wrap ? box.w : 0, w, h);
    if (!texture) return;
    int x = box.x;
    if (alignment == Alignment::Center) x += (box.w - w) / 2;
    if (alignment == Alignment::Right) x += box.w - w;
    const int y = place == TextPlace::Middle ? box.y + (box.h - h) / 2 : box.y;
    const SDL_Rect dest{x, y, w, h};
    SDL_RenderSetClipRect(renderer_, &box);
    SDL_RenderCopy(renderer_, texture, nullptr, &dest);
    SDL_RenderSetClipRect(renderer_, nullptr);
}

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

void ScreenRenderer::bevel(const SDL_Rect& r, bool raised) {
    const Colour light = raised ? kHighlight : kShadow;
    const Colour dark = raised ? kDarkShadow : kHighlight;
    const SDL_Color l = sdlColour(light), d = sdlColour(dark);
    SDL_SetRenderDrawColor(renderer_, l.r, l.g, l.b, 255);
    SDL_RenderDrawLine(renderer_, r.x, r.y, r.x + r.w - 1, r.y);
    SDL_RenderDrawLine(renderer_, r.x, r.y, r.x, r.y + r.h - 1);
    SDL_SetRenderDrawColor(renderer_, d.r, d.g, d.b, 255);
    SDL_RenderDrawLine(renderer_, r.x, r.y + r.h - 1, r.x + r.w - 1, r.y + r.h - 1);
    SDL_RenderDrawLine(renderer_, r.x + r.w - 1, r.y, r.x + r.w - 1, r.y + r.h - 1);
}

void ScreenRenderer::drawPicture(const Picture& picture, const SDL_Rect& dest) {
    if (SDL_Texture* texture = pictureTexture(picture))
        SDL_RenderCopy(renderer_, texture, nullptr, &dest);
}

SDL_Texture* ScreenRenderer::pictureTexture(const Picture& picture) {
    const PictureData& data = picture.data();
    const std::size_t pixels =
        static_cast<std::size_t>(data.width) * static_cast<std::size_t>(data.height);
    if (pixels == 0 || data.rgba.size() != pixels) return nullptr;
    auto found = pictures_.find(&data);
    // The same address may now hold other pixels if the old ones were freed.
    if (found != pictures_.end() && found->second.data.expired()) {
        pictures_.erase(found);
        found = pictures_.end();
    }
    if (found == pictures_.end()) {
        TexturePtr texture(SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_RGBA8888,
                                             SDL_TEXTUREACCESS_STATIC, data.width, data.height));
        if (!texture) return nullptr;
        SDL_UpdateTexture(texture.get(), nullptr, data.rgba.data(), data.width * 4);
        SDL_SetTextureBlendMode(texture.get(), SDL_BLENDMODE_BLEND);
        found = pictures_.emplace(&data, PictureTexture{picture.sharedData(), std::move(texture)})
                    .first;
    }
    return found->second.texture.get();
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
