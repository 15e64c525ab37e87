// The game's fonts, found by fontconfig with the desktop's own substitutions: on Debian,
// Arial is drawn with Liberation Sans, Comic Sans MS with Comic Neue, every other face with
// the default sans (DejaVu Sans).
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <tuple>

#include "runtime/control.h"
#include "runtime/sdl/sdl_handles.h"

namespace vk::sdl {

// A font file and the style SDL_ttf must add because the family has no file for it.
struct FontFace {
    std::string file;  // empty: no usable font file at all
    int addedStyle = TTF_STYLE_NORMAL;
};

FontFace faceFor(const Font& font);

// Points to pixels on the 800 x 600 canvas (96 dots per inch).
int pixelSize(float points);

// The part of a text that a box of `width` x `height` pixels can show in lines
// `lineHeight` pixels apart, so that a huge text costs no more to shape and draw than what
// fits. No character is narrower than a pixel, so a line shows at most `width` of them:
// the part holds enough characters for every line the box shows and one more. Text that
// starts at the left or wraps keeps its beginning; a single line aligned right keeps its
// end, a centred one its middle.
std::string_view visiblePart(std::string_view text, int width, int height, int lineHeight,
                             bool wrap, Alignment alignment);

class FontBook {
  public:
    // nullptr when no font file can be opened; the text is then left out.
    TTF_Font* open(const Font& font);
    // Pixels from one line of text to the next (1 when the font cannot be opened).
    int lineHeight(const Font& font);

  private:
    // By face name, bold, italic and pixel size: fontconfig is asked once for each.
    std::map<std::tuple<std::string, bool, bool, int>, FontPtr> fonts_;
};

}  // namespace vk::sdl
