// How long one step of each blocking loop of the game takes. A blocking loop calls the
// runtime's pacing point once per step, so it lasts the same on every machine and the
// window repaints while it runs.
#pragma once

#include "runtime/platform.h"

namespace vorkala::pacing {

// One frame of the finishing sequence: 5000 frames make about five seconds.
inline constexpr vk::Micros kFinishingFrame = 1 * vk::kMicrosPerMilli;

// One step of a portrait's or a difficulty button's glide on the selection screen: the
// 100 steps take a fifth of a second, long enough to be seen.
inline constexpr vk::Micros kGlideStep = 2 * vk::kMicrosPerMilli;

// One of the 50 steps of a victim thrown across the floor: a quarter of a second in all.
inline constexpr vk::Micros kThrowStep = 5 * vk::kMicrosPerMilli;

// One step of the push-apart after a combo: 0.2 s for a kick combo's 20 steps.
inline constexpr vk::Micros kPushApartStep = 10 * vk::kMicrosPerMilli;

// One of the 50 frames of the blood drops. They let other events run after every frame,
// so this is not a blocking loop, but without a pace the drops would not be seen.
inline constexpr vk::Micros kBloodFrame = 4 * vk::kMicrosPerMilli;

// One step of a turbo ladder glide: each picture's 10000 steps take a tenth of a second,
// so the 14 pictures of a ladder settle into their tower in under a second and a half.
inline constexpr vk::Micros kLadderGlideStep = 10;

}  // namespace vorkala::pacing
