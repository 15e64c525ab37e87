// The blood stain left on the floor of a fight, in stages from a first splash to a pool.
#pragma once

#include "image.h"

namespace vk::gen {

constexpr int kStainStages = 9;
constexpr int kStainWidth = 201;
constexpr int kStainHeight = 89;

// Stage 0 is the first splash, stage kStainStages - 1 the full pool. Every stage grows
// out of the one before it, so swapping stages reads as the stain spreading.
Canvas bloodStain(int stage);

}  // namespace vk::gen
