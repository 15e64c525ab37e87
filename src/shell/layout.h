// The screens' own artwork, stored with their layouts in the data folder.
#pragma once

#include <string>

namespace vorkala {

// "\data\layout\<name>.png"
inline std::string layoutPicture(const std::string& name) {
    return "\\data\\layout\\" + name + ".png";
}

// The mouse cursor every clickable picture shows.
inline const std::string kButtonCursor = layoutPicture("kurzor");

}  // namespace vorkala
