// Artwork of the fight screen's layout that is not a captioned button.
#pragma once

#include "image.h"

namespace vk::gen {

// 150x75: a soft dark ellipse on a transparent background, laid under a fighter's feet.
Canvas fighterShadow();

}  // namespace vk::gen
