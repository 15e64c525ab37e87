// The title screen: the program starts here. Its load routine prepares the whole run;
// its buttons start the game, show the info screen, open the links and end the program.
#pragma once

#include "runtime/control.h"
#include "runtime/screen.h"
#include "runtime/sound_channel.h"
#include "runtime/timer.h"
#include "shell/layout.h"

namespace vorkala {

class Game;

struct UvodniControls : vk::ControlSet {
    UvodniControls(vk::Runtime& runtime, vk::Screen& screen);
    using K = vk::ControlKind;

    // In design order: a later control lies in front.
    vk::Control Label1{
        *this,
        "Label1",
        K::Label,
        {.left = 5160, .top = 7320, .width = 1335, .height = 735, .backColor = 0x000000}};
    vk::Control Image1{*this, "Image1", K::Image, layoutButton(4920, 7200, 1455, 795, "ok")};
    vk::Control Image5{*this, "Image5", K::Image, layoutButton(4920, 7200, 1455, 795, "ok")};
    vk::Control Image2{*this, "Image2", K::Image, layoutButton(1560, 7440, 840, 480, "konec")};
    vk::Control Image3{*this, "Image3", K::Image, layoutButton(8400, 7560, 1365, 420, "info")};
    vk::Control Image4{*this, "Image4", K::Image, layoutButton(240, 240, 3360, 435, "mail")};
    vk::Control Image6{*this, "Image6", K::Image, layoutButton(7440, 240, 3660, 345, "web")};
    vk::Control Text1{*this,
                      "Text1",
                      K::TextBox,
                      {.left = 840,
                       .top = 1440,
                       .width = 1215,
                       .height = 495,
                       .visible = false,
                       .text = "Text1",
                       .backColor = 0xFFFFFF}};
    vk::Timer Timer1{*this, "Timer1", {.interval = 1}};
    vk::SoundChannel MMControl1{*this, "MMControl1", {.visible = false}};
    vk::SoundChannel MMControl2{*this, "MMControl2", {.visible = false}};
    vk::SoundChannel MMControl3{*this, "MMControl3", {.visible = false}};
    vk::SoundChannel MMControl4{*this, "MMControl4", {.visible = false}};
};

class Uvodni : public vk::ScreenOf<UvodniControls> {
  public:
    explicit Uvodni(Game& game);

    // OK for a returning player and OK on the first run (saved progress).
    void Image1_Click();
    void Image5_Click();
    void Image2_Click();
    void Image3_Click();
    void Image4_Click();
    void Image6_Click();
    void Timer1_Timer();

    // Set to 1 at the end of the load routine and never cleared.
    int startFlag = 0;

  protected:
    void Form_Load() override;

  private:
    // What both OK buttons do last: the start sound, the menu music off, on to the
    // selection screen.
    void leaveForSelection();

    Game& game_;
};

}  // namespace vorkala
