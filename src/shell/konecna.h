// The end screen: the last screen of a run. Menu music over falling drops and a pulsing
// OK button; OK or any key that types a character ends the program.
#pragma once

#include <cstdint>

#include "runtime/control.h"
#include "runtime/screen.h"
#include "runtime/sound_channel.h"
#include "runtime/timer.h"
#include "shell/drops.h"
#include "shell/layout.h"

namespace vorkala {

class Game;

struct KonecnaControls : vk::ControlSet {
    KonecnaControls(vk::Runtime& runtime, vk::Screen& screen);
    using K = vk::ControlKind;

    static vk::Design button(float left, float top, float width, float height,
                             const std::string& file, bool stretch = false);

    vk::Control Image1{*this, "Image1", K::Image, button(5160, 7440, 1455, 795, "ok", true)};
    vk::Control Image3{*this, "Image3", K::Image, button(4200, 6840, 3660, 345, "web")};
    vk::Control Image4{*this, "Image4", K::Image, button(4320, 8400, 3360, 435, "mail")};
    vk::Control Shape2{*this, "Shape2", K::Shape, dropDesign(3000, 840)};
    vk::Control Shape3{*this, "Shape3", K::Shape, dropDesign(8400, 3240)};
    vk::Control Shape4{*this, "Shape4", K::Shape, dropDesign(6600, 8280)};
    vk::Control Shape5{*this, "Shape5", K::Shape, dropDesign(1080, 3960)};
    vk::Control Shape6{*this, "Shape6", K::Shape, dropDesign(10560, 0)};
    vk::Timer Timer1{*this, "Timer1", {.interval = 100}};
    vk::Timer Timer2{*this, "Timer2", {.interval = 200}};
    vk::SoundChannel MMControl1{*this, "MMControl1", {.visible = false}};
    vk::SoundChannel MMControl2{*this, "MMControl2", {.visible = false}};
};

class Konecna : public vk::ScreenOf<KonecnaControls> {
  public:
    explicit Konecna(Game& game);

    void Image1_Click();
    void Image3_Click();
    void Image4_Click();
    void Timer1_Timer();
    void Timer2_Timer();
    // Only keys that type a character arrive here: Shift, arrows and function keys do not.
    void Form_KeyPress(char key) override;

    // Counts the OK button's pulse.
    std::int16_t pulse = 0;

  protected:
    void Form_Load() override;

  private:
    void leave();

    Game& game_;
};

}  // namespace vorkala
