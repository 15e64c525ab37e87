// Animated GIF files, written by giflib: one global palette of the frames' colours, a delay
// per frame and the looping extension, so any picture reader plays it as a short video.
#pragma once

#include <vector>

#include "bytes.h"
#include "image.h"

namespace vk::gen {

struct GifFrame {
    Canvas picture;  // all frames of an animation share one size; alpha is ignored
    int delayCentiseconds;
};

// Loops forever. Frames with more than 256 colours in all are reduced to a colour cube.
Bytes encodeGif(const std::vector<GifFrame>& frames);

}  // namespace vk::gen
