// The menu's sound effects, mixed from the synthesis pieces in wav.h.
#pragma once

#include "wav.h"

namespace vk::gen {

Samples logoSting();     // intro: a low boom under a minor chord stab, ~1.5 s
Samples startCheer();    // "yeah!" of a small crowd when a game starts, ~0.6 s
Samples metalClick();    // short metallic click of a button, ~0.1 s
Samples selectWhoosh();  // an air whoosh on the selection screen, ~0.8 s

}  // namespace vk::gen
