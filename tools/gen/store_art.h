// Pictures of the shared picture store: the lives counters and the struck-off portrait.
#pragma once

#include "image.h"

namespace vk::gen {

// 57x49: `lives` (1..3) small hearts side by side.
Canvas livesPicture(int lives);
// 57x57: a dark tile struck through with a red X, covering a defeated fighter.
Canvas struckOffPortrait();

}  // namespace vk::gen
