// The selection screen's reveal of the unlock rewards, at every load and for every code.
#include "select/rewards.h"

#include <algorithm>
#include <cmath>

#include "progress/pocitadlo.h"
#include "progress/rewards.h"
#include "progress/saved_progress.h"
#include "select/vyberpostav.h"
#include "shell/game.h"

namespace vorkala {

namespace {

// The portrait of each roster's secret fighter, behind its cover 0.
const char* secretFighter(Side roster) { return roster == Side::Left ? "tk" : "rodi"; }

}  // namespace

void revealStage(VyberpostavControls& c, const StageReward& reward, int count) {
    const int covers = std::min(count, reward.covers);
    for (int i = 0; i < covers; ++i)
        c.covers(reward.roster)[reward.firstCover + i].setVisible(false);
    if (reward.secretAtMaximum && count >= reward.maximum) {
        c.covers(reward.roster)[0].setVisible(false);
        c.portraits[secretFighter(reward.roster)].setVisible(true);
    }
}

// Clamps the counters, then for each one reveals its fighters, writes its code and saves
// it. A counter that is not a number (a damaged settings key) becomes "0" first.
void Vyberpostav::odemknutihracu() {
    auto& store = game_.pocitadlo().ui();
    for (const StageReward& reward : stageRewards()) {
        vk::Control& counter = store.*reward.counter;
        if (!numberIn(counter.caption())) counter.setCaption("0");
        if (stageCount(counter) > reward.maximum) vk::setCaptionValue(counter, reward.maximum);
    }
    auto& c = ui();
    for (const StageReward& reward : stageRewards()) {
        vk::Control& counter = store.*reward.counter;
        const int count = static_cast<int>(std::floor(stageCount(counter)));
        if (count >= 1) {
            revealStage(c, reward, count);
            c.Tvujkod.setCaption(reward.codes[static_cast<std::size_t>(count - 1)]);
        }
        saveSetting(runtime(), reward.settingsKey, counter.caption());
        if (reward.turboStart && count >= reward.maximum) {
            c.turboButton(*reward.turboStart).setVisible(true);
            c.turboLives(*reward.turboStart).setVisible(true);
        }
    }
}

}  // namespace vorkala
