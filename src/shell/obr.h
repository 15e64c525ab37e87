// The picture store: a never-shown screen keeping the pictures one screen loads and
// another shows (the fighters' poses and faces, the floor stain stages) and the hit
// counters of the four floor zones.
#pragma once

#include <string>

#include "runtime/control.h"
#include "runtime/screen.h"

namespace vorkala {

class Game;

// The floor stain stages stored with the store's layout, smallest first.
inline constexpr int kStainStages = 9;
std::string stainPicture(int stage);

struct ObrControls : vk::ControlSet {
    using vk::ControlSet::ControlSet;
    static vk::Design empty(int) { return {}; }

    vk::ControlArray<> levej{*this, "levej", vk::ControlKind::Image, 0, 20, empty};
    vk::ControlArray<> pravej{*this, "pravej", vk::ControlKind::Image, 0, 20, empty};
    vk::Control levejwin{*this, "levejwin", vk::ControlKind::Image};
    vk::Control levejout{*this, "levejout", vk::ControlKind::Image};
    vk::Control pravejwin{*this, "pravejwin", vk::ControlKind::Image};
    vk::Control pravejout{*this, "pravejout", vk::ControlKind::Image};
    vk::ControlArray<> vzorek{
        *this, "vzorek",         vk::ControlKind::Image,
        0,     kStainStages - 1, [](int i) { return vk::Design{.picture = stainPicture(i)}; }};
    vk::Control Label1{*this, "Label1", vk::ControlKind::Label, {.caption = "Label1"}};
    vk::Control Label2{*this, "Label2", vk::ControlKind::Label, {.caption = "Label2"}};
    vk::Control Label3{*this, "Label3", vk::ControlKind::Label, {.caption = "Label3"}};
    vk::Control Label4{*this, "Label4", vk::ControlKind::Label, {.caption = "Label4"}};
    // Kept with the layout; nothing uses them.
    vk::ControlArray<> levejfat{*this, "levejfat", vk::ControlKind::Image, 0, 12, empty};
    vk::ControlArray<> pravejfat{*this, "pravejfat", vk::ControlKind::Image, 0, 12, empty};
    vk::ControlArray<> obr{*this, "obr", vk::ControlKind::Image, 0, 0, empty};
};

// No load routine and no event routines of its own.
class Obr : public vk::ScreenOf<ObrControls> {
  public:
    explicit Obr(Game& game);
};

}  // namespace vorkala
