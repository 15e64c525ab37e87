// PNG encoder: 8-bit RGBA, non-interlaced, rows filtered with the usual
// least-absolute-difference heuristic and deflated by zlib.
#pragma once

#include "bytes.h"
#include "image.h"

namespace vk::gen {

Bytes encodePng(const Canvas& canvas);

}  // namespace vk::gen
