// PNG files of canvases: 8-bit RGBA, written by libpng.
#pragma once

#include "bytes.h"
#include "image.h"

namespace vk::gen {

Bytes encodePng(const Canvas& canvas);

}  // namespace vk::gen
