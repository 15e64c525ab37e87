// Draws the shown screens onto the 800 x 600 canvas: each screen's back colour or
// background picture, then its visible controls, later ones in front.
#pragma once

#include <map>
#include <memory>
#include <string>

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
    // Draws into the renderer's current target, which must be canvas-sized.
    explicit ScreenRenderer(SDL_Renderer* renderer) : renderer_(renderer) {}

    void draw(const Runtime& runtime);
    void drawScreen(const ControlSet& controls);

    // Textures kept for pictures and text; stale ones are dropped as they are met.
    std::size_t cachedTextures() const { return pictures_.size() + texts_.size(); }

  private:
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
    void fill(const SDL_Rect& r, Colour colour);
    void frame(const SDL_Rect& r, Colour colour, int thickness = 1);
    void bevel(const SDL_Rect& r, bool raised);
    void drawPicture(const Picture& picture, const SDL_Rect& dest);
    SDL_Texture* pictureTexture(const Picture& picture);
    SDL_Texture* textTexture(const std::string& text, const Font& font, Colour colour,
                             Alignment alignment, int wrapWidth, int& w, int& h);

    struct PictureTexture {
        std::weak_ptr<const PictureData> data;
        TexturePtr texture;
    };
    struct TextTexture {
        TexturePtr texture;
        int w, h;
    };

    SDL_Renderer* renderer_;
    FontBook fonts_;
    std::map<const PictureData*, PictureTexture> pictures_;
    std::map<std::string, TextTexture> texts_;
};

// Fills an ellipse inside `r`, leaving a hole `ring` pixels inside its edge when ring > 0.
void fillEllipse(SDL_Renderer* renderer, const SDL_Rect& r, int ring = 0);
// A straight stroke of the given width in pixels, ends square.
void strokeLine(SDL_Renderer* renderer, float x1, float y1, float x2, float y2, float width,
                SDL_Color colour);

}  // namespace vk::sdl
