// The rewards table: what each stage counter gives, and its codes.
#include "progress/rewards.h"

#include "progress/pocitadlo.h"

namespace vorkala {

namespace {

using S = PocitadloControls;

const std::vector<StageReward> kRewards{
    {&S::LehkaP,
     "pocitadlo.LehkaP",
     Side::Right,
     3,
     1,
     3,
     false,
     std::nullopt,
     {"lipa", "javor", "jasan"}},
    {&S::LehkaL,
     "pocitadlo.LehkaL",
     Side::Left,
     3,
     1,
     3,
     false,
     std::nullopt,
     {"krtek", "mravenec", "kobylka"}},
    {&S::StredniP,
     "pocitadlo.StredniP",
     Side::Right,
     3,
     4,
     3,
     false,
     std::nullopt,
     {"skala", "hora", "sopka"}},
    {&S::StredniL,
     "pocitadlo.StredniL",
     Side::Left,
     3,
     4,
     3,
     false,
     std::nullopt,
     {"vlk", "rys", "medved"}},
    {&S::TezkaP,
     "pocitadlo.TezkaP",
     Side::Right,
     5,
     7,
     5,
     false,
     Side::Left,
     {"blesk", "hrom", "boure", "vichr", "tornado"}},
    {&S::TezkaL,
     "pocitadlo.TezkaL",
     Side::Left,
     6,
     7,
     5,
     true,
     Side::Right,
     {"orel", "sokol", "jestrab", "vyr", "kondor", "drak"}},
};

}  // namespace

const std::vector<StageReward>& stageRewards() { return kRewards; }

}  // namespace vorkala
