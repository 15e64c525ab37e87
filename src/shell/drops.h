// The falling red drops of the selection, after-fight, loading and end screens.
#pragma once

#include <initializer_list>

#include "runtime/control.h"

namespace vorkala {

inline constexpr vk::Colour kDropColour = 0x000080;  // dark red
// A drop that has fallen further than this starts again at the top of the screen.
inline constexpr float kDropBottom = 9000;

// A dark red disc at its design place.
vk::Design dropDesign(float left, float top);

struct FallingDrop {
    vk::Control& shape;
    float step;  // twips per tick
};

// Moves each drop down by its step, in the order given.
void moveDrops(std::initializer_list<FallingDrop> drops);

}  // namespace vorkala
