// The after-fight screen: both fighters' names and their winner's and loser's faces, the
// next-fight and end buttons and the links, over falling drops. The first pick loads it
// hidden; the fight screen shows it after the finishing sequence.
#pragma once

#include "runtime/control.h"
#include "runtime/screen.h"
#include "runtime/sound_channel.h"
#include "runtime/timer.h"
#include "shell/drops.h"
#include "shell/layout.h"

namespace vorkala {

class Game;

struct DrzkyControls : vk::ControlSet {
    DrzkyControls(vk::Runtime& runtime, vk::Screen& screen);
    using K = vk::ControlKind;

    static vk::Design fighterName(float left, float width, const char* caption);
    static vk::Design button(float left, float top, float width, float height,
                             const std::string& file);

    vk::Control lev{*this, "lev", K::Label, fighterName(1200, 4815, "Label1")};
    vk::Control prav{*this, "prav", K::Label, fighterName(7320, 4575, "Label2")};
    vk::Control levej{*this, "levej", K::Image, {.left = 1200, .top = 2520}};
    vk::Control pravej{*this, "pravej", K::Image, {.left = 7320, .top = 2520}};
    vk::Control Image1{*this, "Image1", K::Image, button(3600, 6840, 2580, 675, "dalsi")};
    vk::Control Image2{*this, "Image2", K::Image, button(7080, 6840, 960, 600, "konec")};
    vk::Control Image3{*this, "Image3", K::Image, button(7560, 8040, 3660, 345, "web")};
    vk::Control Image4{*this, "Image4", K::Image, button(120, 7920, 3360, 435, "mail")};
    vk::Control Shape2{*this, "Shape2", K::Shape, dropDesign(3120, 840)};
    vk::Control Shape3{*this, "Shape3", K::Shape, dropDesign(8520, 3240)};
    vk::Control Shape4{*this, "Shape4", K::Shape, dropDesign(6720, 8280)};
    vk::Control Shape5{*this, "Shape5", K::Shape, dropDesign(1200, 3960)};
    vk::Control Shape6{*this, "Shape6", K::Shape, dropDesign(10680, 0)};
    vk::Timer Timer1{*this, "Timer1", {.interval = 100}};
    vk::SoundChannel MMControl1{*this, "MMControl1", {.visible = false}};
};

class Drzky : public vk::ScreenOf<DrzkyControls> {
  public:
    explicit Drzky(Game& game);

    // Widens the loading screen's bar by one step (loading that screen if needed).
    void AdvanceLoadingBar();
    // Next fight: the bookkeeping behind the loading screen, then the selection screen.
    void Image1_Click();
    void Image2_Click();
    void Image3_Click();
    void Image4_Click();
    void Timer1_Timer();

  protected:
    void Form_Load() override;

  private:
    Game& game_;
};

}  // namespace vorkala
