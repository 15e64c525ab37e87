#include <stdexcept>

#include "runtime/runtime.h"
#include "select/vyberpostav.h"

namespace vorkala {

vk::Design VyberpostavControls::button(float left, float top, float width, float height,
                                       const std::string& picture, bool visible) {
    vk::Design d = layoutButton(left, top, width, height, picture);
    d.visible = visible;
    d.stretch = true;
    return d;
}

vk::Design VyberpostavControls::tableRow(float left, int row, float width, std::string text) {
    return {.left = left,
            .top = 4920.0f + 480.0f * static_cast<float>(row),
            .width = width,
            .height = 495,
            .text = std::move(text),
            .foreColor = selection_colours::kTableText,
            .backColor = 0,
            .font = {.name = "Arial", .size = 15.75f}};
}

vk::Design VyberpostavControls::statistic(float left, float top, vk::Colour back, float width) {
    return {.left = left,
            .top = top,
            .width = width,
            .height = 255,
            .visible = false,
            .backColor = back};
}

vk::Design VyberpostavControls::toggleState(float left) {
    return {.left = left,
            .top = 4560,
            .width = 1215,
            .height = 735,
            .enabled = false,
            .text = "OFF",
            .foreColor = selection_colours::kToggleText,
            .backColor = selection_colours::kToggleBack,
            .font = {.name = "Comic Sans MS", .size = 26.25f, .bold = true, .italic = true}};
}

VyberpostavControls::VyberpostavControls(vk::Runtime& runtime, vk::Screen& screen)
    : ControlSet(runtime, screen) {
    backColor = 0;
}

namespace {

// A portrait shows the fighter's small picture from the screen's layout.
vk::Design portraitDesign(const Fighter& fighter) {
    return {.left = portraitLeft(fighter),
            .top = portraitTop(fighter),
            .width = kPortraitSize,
            .height = kPortraitSize,
            .visible = !fighter.hiddenAtDesign,
            .picture = portraitPicture(fighter),
            .backColor = 0,
            .cursor = kButtonCursor};
}

}  // namespace

Portraits::Portraits(vk::ControlSet& owner) {
    for (const Fighter& fighter : roster())
        controls_.push_back(std::make_unique<vk::Control>(
            owner, fighter.code, vk::ControlKind::PictureBox, portraitDesign(fighter)));
}

vk::Control& Portraits::operator[](const std::string& code) const {
    for (const auto& control : controls_)
        if (control->name() == code) return *control;
    throw std::out_of_range("no portrait " + code);
}

// A cover lies on the place of the fighter it keeps locked.
vk::Design VyberpostavControls::cover(Side side, int index) {
    for (const Fighter& fighter : roster())
        if (fighter.side == side && fighter.cover == index)
            return {.left = portraitLeft(fighter),
                    .top = portraitTop(fighter),
                    .width = kPortraitSize,
                    .height = kPortraitSize,
                    .picture = layoutPicture("otaznik"),
                    .backColor = 0,
                    .cursor = kButtonCursor};
    throw std::out_of_range("no fighter under cover " + std::to_string(index));
}

}  // namespace vorkala
