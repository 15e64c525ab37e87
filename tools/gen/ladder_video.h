// The short clip the selection screen plays when a ladder climb gets going: a fighter
// punching the air under a spotlight while confetti falls.
#pragma once

#include <vector>

#include "gif_encoder.h"

namespace vk::gen {

constexpr int kClipWidth = 139;
constexpr int kClipHeight = 112;
constexpr int kClipFrames = 20;
constexpr int kClipFrameCentiseconds = 10;

std::vector<GifFrame> victoryClip();

}  // namespace vk::gen
