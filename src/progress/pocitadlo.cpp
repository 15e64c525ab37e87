#include "progress/pocitadlo.h"

#include <array>
#include <utility>

namespace vorkala {

Pocitadlo::Pocitadlo(vk::Runtime& runtime) : ScreenOf(runtime, "pocitadlo", "Form1") {}

void Pocitadlo::Form_Load() {
    auto& s = ui();
    // The starting values of a run, written in this order.
    const std::array<std::pair<vk::Control*, const char*>, 22> starting{{
        {&s.Zivotyl, "4"},      {&s.Zivotyp, "4"},      {&s.PCl, "0"},        {&s.PCp, "0"},
        {&s.Turbol, "0"},       {&s.Turbop, "0"},       {&s.Rychlostl, "0"},  {&s.Rychlostp, "0"},
        {&s.energiel, "50"},    {&s.energiep, "50"},    {&s.silauderul, "2"}, {&s.silauderup, "2"},
        {&s.bodyL, "0"},        {&s.bodyP, "0"},        {&s.bodylehkaL, "0"}, {&s.bodylehkaP, "0"},
        {&s.bodystredniL, "0"}, {&s.bodystredniP, "0"}, {&s.bodytezkaL, "0"}, {&s.bodytezkaP, "0"},
        {&s.HSL, "0"},          {&s.HSP, "0"},
    }};
    for (const auto& [label, value] : starting) label->setCaption(value);
}

}  // namespace vorkala
