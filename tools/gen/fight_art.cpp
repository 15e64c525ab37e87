#include "fight_art.h"

namespace vk::gen {

Canvas fighterShadow() {
    Canvas c(150, 75);
    // Darker towards the middle: three nested translucent ellipses.
    const Point centre{75, 37.5};
    c.fillEllipse(centre, 72, 30, rgba(0, 0, 0, 50));
    c.fillEllipse(centre, 56, 22, rgba(0, 0, 0, 50));
    c.fillEllipse(centre, 38, 14, rgba(0, 0, 0, 60));
    return c;
}

}  // namespace vk::gen
