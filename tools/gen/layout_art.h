// Artwork of the menu screens: the title picture and its buttons, the help picture, the
// selection screen's pieces and the mouse cursor.
#pragma once

#include <string_view>

#include "image.h"

namespace vk::gen {

Canvas titleArt();                                      // 800x600
Canvas helpArt();                                       // 784x562
Canvas comboArt();                                      // 186x46, transparent around
Canvas linkLabel(int w, int h, std::string_view text);  // mail and web captions
Canvas computerToggle();                                // 94x61
Canvas selectionTitle();                                // 210x145
Canvas questionCover();                                 // 57x57
Canvas handCursor();                                    // 32x32

}  // namespace vk::gen
