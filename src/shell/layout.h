// The screens' own artwork, stored with their layouts in the data folder.
#pragma once

#include <string>

#include "runtime/control.h"

namespace vorkala {

// "\data\layout\<name>.png"
inline std::string layoutPicture(const std::string& name) {
    return "\\data\\layout\\" + name + ".png";
}

// The mouse cursor every clickable picture shows.
inline const std::string kButtonCursor = layoutPicture("kurzor");

// A clickable picture from the layout at a place (twips), with the button cursor.
inline vk::Design layoutButton(float left, float top, float width, float height,
                               const std::string& name) {
    return {.left = left,
            .top = top,
            .width = width,
            .height = height,
            .picture = layoutPicture(name),
            .cursor = kButtonCursor};
}

// The same design with its picture stretched to the control's size.
inline vk::Design stretched(vk::Design design) {
    design.stretch = true;
    return design;
}

}  // namespace vorkala
