// The unlock rewards: every win over the computer counts in a stage counter of the
// computer's side, and each count reveals one more fighter of that side's roster and
// has a reward code that reveals the same fighters when it is typed into the code box.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "progress/side.h"

namespace vk {
class Control;
}

namespace vorkala {

struct PocitadloControls;

struct StageReward {
    vk::Control PocitadloControls::*counter;
    const char* settingsKey;
    Side roster;  // the side whose computer was beaten, and whose fighters come out
    int maximum;  // the counter is clamped to it
    int firstCover;
    int covers;  // one more cover a win, up to this many
    // At the maximum: the roster's secret fighter comes out too.
    bool secretAtMaximum;
    // At the maximum: the turbo start button of this side and its lives picture are
    // shown (or none).
    std::optional<Side> turboStart;
    // The reward code of each count, 1 first; `maximum` of them.
    std::vector<std::string> codes;
};

// In the order the rewards clamp, reveal and save them.
const std::vector<StageReward>& stageRewards();

}  // namespace vorkala
