// The loading screen: covers the way back to the selection screen with a growing bar.
#pragma once

#include "runtime/control.h"
#include "runtime/screen.h"
#include "runtime/timer.h"
#include "shell/drops.h"
#include "shell/layout.h"

namespace vorkala {

class Game;

struct NacitaniControls : vk::ControlSet {
    NacitaniControls(vk::Runtime& runtime, vk::Screen& screen);
    using K = vk::ControlKind;

    static constexpr vk::Colour kBar = 0xFFFF00;   // cyan
    static constexpr vk::Colour kLine = 0x808000;  // teal

    // The picture and the growing bar are declared last, so they lie in front of the frame,
    // the teal line and the drops and show whole.
    vk::Control Shape1{
        *this,
        "Shape1",
        K::Shape,
        {.left = 480, .top = 3960, .width = 11655, .height = 1935, .borderWidth = 50}};
    vk::Control Line1{*this,
                      "Line1",
                      K::Line,
                      {.borderColor = kLine,
                       .borderWidth = 100,
                       .x1 = 1080,
                       .y1 = 4920,
                       .x2 = 11400,
                       .y2 = 4920}};
    vk::Control Shape2{
        *this, "Shape2", K::Shape, {.left = 960, .top = 4320, .width = 255, .height = 1215}};
    vk::Control Shape3{*this, "Shape3", K::Shape, dropDesign(2760, 960)};
    vk::Control Shape4{*this, "Shape4", K::Shape, dropDesign(8160, 3360)};
    vk::Control Shape5{*this, "Shape5", K::Shape, dropDesign(6360, 8400)};
    vk::Control Shape6{*this, "Shape6", K::Shape, dropDesign(840, 4080)};
    vk::Control Shape7{*this, "Shape7", K::Shape, dropDesign(10320, 120)};
    vk::Control Image1{*this,
                       "Image1",
                       K::Image,
                       {.left = 840,
                        .top = 3720,
                        .width = 2130,
                        .height = 540,
                        .picture = layoutPicture("nacitani")}};
    vk::Control lista{*this,
                      "lista",
                      K::Shape,
                      {.left = 840,
                       .top = 4320,
                       .width = 375,
                       .height = 1215,
                       .fillColor = kBar,
                       .filled = true,
                       .borderColor = kBar}};
    vk::Timer Timer1{*this, "Timer1", {.interval = 100}};
};

class Nacitani : public vk::ScreenOf<NacitaniControls> {
  public:
    explicit Nacitani(Game& game);

    void Timer1_Timer();
};

}  // namespace vorkala
