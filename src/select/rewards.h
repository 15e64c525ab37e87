// The selection screen's side of the unlock rewards.
#pragma once

namespace vorkala {

struct StageReward;
struct VyberpostavControls;

// Reveals what `count` wins of a stage give: covers hidden, the secret fighter shown.
void revealStage(VyberpostavControls& c, const StageReward& reward, int count);

}  // namespace vorkala
