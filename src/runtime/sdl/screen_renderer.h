// Draws the shown screens onto the 800 x 600 canvas: each screen's back colour or
// background picture, then its visible controls, later ones in front. Between frames it
// keeps what every control looked like, so that a frame redraws only the areas whose look
// changed (a control moved, shown, hidden, its picture or caption changed); the canvas
// keeps its pixels from one frame to the next.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "runtime/control.h"
#include "runtime/picture.h"
#include "runtime/sdl/fonts.h"
#include "runtime/sdl/sdl_handles.h"

namespace vk {
class ControlSet;
class Runtime;
}  // namespace vk

namespace vk::sdl {

// A control's place in canvas pixels (15 twips to the pixel).
SDL_Rect pixelRect(const Control& control);
SDL_Color sdlColour(Colour colour);

class ScreenRenderer {
  public:
    // Draws into the renderer's current target, which must be canvas-sized. Opaque
    // pictures are kept in `opaqueFormat`, best the target's own, so that they are copied.
    explicit ScreenRenderer(SDL_Renderer* renderer, Uint32 opaqueFormat = SDL_PIXELFORMAT_ARGB8888)
        : renderer_(renderer), opaqueFormat_(opaqueFormat) {}

    // Draws the whole canvas.
    void draw(const Runtime& runtime);
    // Redraws the areas that changed since the last draw (the whole canvas the first time)
    // and returns them, in canvas pixels; the target must still hold the last frame.
    const std::vector<SDL_Rect>& drawChanges(const Runtime& runtime);
    // Something drawn over the screens changed in this area: the next drawChanges redraws it.
    void markChanged(const SDL_Rect& area) { marked_.push_back(area); }
    // The target lost its pixels: the next drawChanges redraws all of it.
    void forgetCanvas() { shown_.clear(); }

    // A picture drawn over the screens, such as a video's frame in its area: it keeps its
    // own size from the area's corner, cut to the area. `key` tells pictures apart.
    struct Overlay {
        SDL_Rect area;
        SDL_Surface* picture;
        std::uint64_t key;
        bool operator==(const Overlay& o) const {
            return key == o.key && SDL_RectEquals(&area, &o.area);
        }
    };
    // What the frames draw over the screens from now on; the areas of overlays that come,
    // go or change are redrawn by the next drawChanges.
    void setOverlays(std::vector<Overlay> overlays);
    const std::vector<Overlay>& overlays() const { return overlays_; }

    // Textures kept for pictures and text; stale ones are dropped as they are met.
    std::size_t cachedTextures() const { return pictures_.size() + texts_.size(); }

  private:
    // Everything the drawing of a screen's back or of one control reads.
    struct Style {
        int kind = -1;  // a ControlKind, or -1 for a screen's back
        int x = 0, y = 0, w = 0, h = 0;
        // Held, so that no other picture can take the address while it is compared.
        std::shared_ptr<const PictureData> picture;
        bool stretch = false, enabled = false, backOpaque = false, filled = false;
        bool hasBorder = false;
        std::string caption, text;
        Colour fore = 0, back = 0, fill = 0, border = 0;
        float borderWidth = 0;
        ShapeKind shape = ShapeKind::Rectangle;
        float x1 = 0, y1 = 0, x2 = 0, y2 = 0;
        Font font;
        Alignment alignment = Alignment::Left;
        bool operator==(const Style&) const = default;
    };
    // One screen's back or one control as a frame shows it. The pointers are valid for
    // the frame it was taken in only.
    struct Drawn {
        const ControlSet* screen = nullptr;
        const Control* control = nullptr;
        SDL_Rect bounds{};  // every pixel it may touch; empty when it draws nothing
        Style style;
    };
    using Scene = std::vector<Drawn>;

    static Scene sceneOf(const Runtime& runtime, std::size_t expected);
    static Drawn drawnOf(const Control& control);
    std::vector<SDL_Rect> changesTo(const Scene& next) const;
    void redraw(const Scene& scene, const SDL_Rect& area);
    void drawScreen(const ControlSet& controls);
    // Whether the screen's background picture covers every pixel below it.
    bool hidesBelow(const ControlSet& controls);
    void drawOverlay(const Overlay& overlay);
    void drawControl(const Control& control);
    void drawImage(const Control& image);
    void drawPictureBox(const Control& box);
    void drawLabel(const Control& label);
    void drawTextBox(const Control& box);
    void drawButton(const Control& button);
    void drawShape(const Control& shape);
    void drawLine(const Control& line);

    enum class TextPlace { Top, Middle };
    void drawText(const std::string& text, const Font& font, Colour colour, Alignment alignment,
                  const SDL_Rect& box, TextPlace place, bool wrap);
    // Draws only inside `r` as well as inside the area being redrawn; false when they do
    // not meet. unclip() goes back to the area.
    bool clipTo(const SDL_Rect& r);
    void unclip();
    void fill(const SDL_Rect& r, Colour colour);
    void frame(const SDL_Rect& r, Colour colour, int thickness = 1);
    // One ring of a 3-D edge: `topLeft` along the top and left, `bottomRight` along the
    // bottom and right.
    void edge(const SDL_Rect& r, Colour topLeft, Colour bottomRight);
    void raisedEdge(const SDL_Rect& r);
    void sunkenEdge(const SDL_Rect& r);
    void drawPicture(const Picture& picture, const SDL_Rect& dest);
    struct PictureTexture;
    const PictureTexture* pictureTexture(const Picture& picture, int w, int h);
    SDL_Texture* textTexture(const std::string& text, const Font& font, Colour colour,
                             Alignment alignment, int wrapWidth, int& w, int& h);

    struct PictureTexture {
        std::weak_ptr<const PictureData> data;
        TexturePtr texture;
        bool opaque;
    };
    struct TextTexture {
        TexturePtr texture;
        int w, h;
    };

    SDL_Renderer* renderer_;
    Uint32 opaqueFormat_;
    FontBook fonts_;
    // By the pixels and the size they are drawn at: a stretched picture is scaled once,
    // so that redrawing a part of it gives the same pixels as drawing all of it.
    std::map<std::tuple<const PictureData*, int, int>, PictureTexture> pictures_;
    std::map<std::string, TextTexture> texts_;
    Scene shown_;                   // the frame on the canvas
    std::vector<SDL_Rect> marked_;  // areas changed over the screens since then
    std::vector<Overlay> overlays_;
    std::vector<SDL_Rect> changed_;  // what the last drawChanges redrew
    SDL_Rect area_{};                // the area being redrawn
};

// Few rectangles covering every given one, in canvas pixels: near or overlapping ones are
// joined, and when most of the canvas changed the whole canvas is one.
std::vector<SDL_Rect> coveringAreas(std::vector<SDL_Rect> areas);

// Fills an ellipse inside `r`, leaving a hole `ring` pixels inside its edge when ring > 0.
void fillEllipse(SDL_Renderer* renderer, const SDL_Rect& r, int ring = 0);
// A straight stroke of the given width in pixels, ends square.
void strokeLine(SDL_Renderer* renderer, float x1, float y1, float x2, float y2, float width,
                SDL_Color colour);

}  // namespace vk::sdl
