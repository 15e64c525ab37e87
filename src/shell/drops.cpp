#include "shell/drops.h"

namespace vorkala {

vk::Design dropDesign(float left, float top) {
    return {.left = left,
            .top = top,
            .width = 135,
            .height = 135,
            .fillColor = kDropColour,
            .filled = true,
            .borderColor = kDropColour,
            .shape = vk::ShapeKind::Circle};
}

void moveDrops(std::initializer_list<FallingDrop> drops) {
    for (const FallingDrop& drop : drops) {
        drop.shape.setTop(drop.shape.top() + drop.step);
        if (drop.shape.top() > kDropBottom) drop.shape.setTop(0);
    }
}

}  // namespace vorkala
