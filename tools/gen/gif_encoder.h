// Animated GIF (GIF89a) writer: one global palette of the frames' colours, LZW-compressed
// frames and the looping extension, so any picture reader plays it as a short video.
#pragma once

#include <cstdint>
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

// GIF's variable-length LZW of palette indices (each below 1 << minCodeSize), starting
// with a clear code and ending with the end code, packed least significant bit first.
Bytes lzwCompress(const std::vector<std::uint8_t>& indices, int minCodeSize);

}  // namespace vk::gen
