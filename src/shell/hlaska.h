// The info screen: the help picture with the game's keys over the current screen, a
// pulsing OK button and the links. Any key or the OK button closes it.
#pragma once

#include <cstdint>

#include "runtime/control.h"
#include "runtime/screen.h"
#include "runtime/sound_channel.h"
#include "runtime/timer.h"
#include "shell/layout.h"

namespace vorkala {

class Game;

struct HlaskaControls : vk::ControlSet {
    HlaskaControls(vk::Runtime& runtime, vk::Screen& screen);
    using K = vk::ControlKind;

    // The OK button's picture follows its pulsing size.
    vk::Control Image1{*this, "Image1", K::Image,
                       stretched(layoutButton(5160, 3600, 1455, 915, "ok"))};
    vk::Control Image4{*this, "Image4", K::Image, layoutButton(120, 120, 3450, 390, "mail")};
    vk::Control Image5{*this, "Image5", K::Image, layoutButton(7560, 120, 3630, 435, "web")};
    vk::Timer Timer1{*this, "Timer1", {.interval = 200}};
    vk::SoundChannel MMControl1{*this, "MMControl1", {.visible = false}};
};

class Hlaska : public vk::ScreenOf<HlaskaControls> {
  public:
    explicit Hlaska(Game& game);

    void Image1_Click();
    void Image4_Click();
    void Image5_Click();
    void Timer1_Timer();
    // Any key, whatever it is and whatever the shift state.
    void Form_KeyDown(int keyCode, int shift) override;

    // Counts the OK button's pulse; survives unloads.
    std::int16_t pulse = 0;

  protected:
    void Form_Load() override;

  private:
    void close();
};

}  // namespace vorkala
