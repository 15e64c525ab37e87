// The rewards table and the selection screen's routine that applies it at every load.
#include "progress/rewards.h"

#include <algorithm>
#include <cmath>

#include "progress/saved_progress.h"
#include "select/vyberpostav.h"
#include "shell/game.h"
#include "shell/pocitadlo.h"

namespace vorkala {

namespace {

using S = PocitadloControls;
using C = VyberpostavControls;

const std::vector<StageReward> kRewards{
    {&S::LehkaP,
     "pocitadlo.LehkaP",
     Side::Right,
     3,
     1,
     3,
     false,
     nullptr,
     nullptr,
     {"lipa", "javor", "jasan"}},
    {&S::LehkaL,
     "pocitadlo.LehkaL",
     Side::Left,
     3,
     1,
     3,
     false,
     nullptr,
     nullptr,
     {"krtek", "mravenec", "kobylka"}},
    {&S::StredniP,
     "pocitadlo.StredniP",
     Side::Right,
     3,
     4,
     3,
     false,
     nullptr,
     nullptr,
     {"skala", "hora", "sopka"}},
    {&S::StredniL,
     "pocitadlo.StredniL",
     Side::Left,
     3,
     4,
     3,
     false,
     nullptr,
     nullptr,
     {"vlk", "rys", "medved"}},
    {&S::TezkaP,
     "pocitadlo.TezkaP",
     Side::Right,
     5,
     7,
     5,
     false,
     &C::Image10,
     &C::Picture1,
     {"blesk", "hrom", "boure", "vichr", "tornado"}},
    {&S::TezkaL,
     "pocitadlo.TezkaL",
     Side::Left,
     6,
     7,
     5,
     true,
     &C::Image11,
     &C::Picture2,
     {"orel", "sokol", "jestrab", "vyr", "kondor", "drak"}},
};

// The portrait of each roster's secret fighter, behind its cover 0.
const char* secretFighter(Side roster) { return roster == Side::Left ? "tk" : "rodi"; }

}  // namespace

const std::vector<StageReward>& stageRewards() { return kRewards; }

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
    for (const StageReward& reward : kRewards) {
        vk::Control& counter = store.*reward.counter;
        if (!numberIn(counter.caption())) counter.setCaption("0");
        if (stageCount(counter) > reward.maximum) vk::setCaptionValue(counter, reward.maximum);
    }
    auto& c = ui();
    for (const StageReward& reward : kRewards) {
        vk::Control& counter = store.*reward.counter;
        const int count = static_cast<int>(std::floor(stageCount(counter)));
        if (count >= 1) {
            revealStage(c, reward, count);
            c.Tvujkod.setCaption(reward.codes[static_cast<std::size_t>(count - 1)]);
        }
        saveSetting(game_, reward.settingsKey, counter.caption());
        if (reward.turboButton && count >= reward.maximum) {
            (c.*reward.turboButton).setVisible(true);
            (c.*reward.turboLives).setVisible(true);
        }
    }
}

}  // namespace vorkala
