// The turbo ladder's layout of a roster and the unlock rewards. What they do so far: the
// layouts hide the controls a ladder hides and leave the right glide target where the
// load routine puts it; the ladder's tower places, struck-off portraits and opponents'
// values, and the rewards, are still to come.
#include "select/vyberpostav.h"

namespace vorkala {

void Vyberpostav::presunl() {
    ui().Text3.setVisible(false);
    ui().Text2.setVisible(false);
    ui().Picture1.setVisible(false);
    zaplejl();
    rightGlideTarget = {6000, 2520};
}

void Vyberpostav::presunp() {
    ui().Text3.setVisible(false);
    ui().Text2.setVisible(false);
    ui().Picture2.setVisible(false);
    zaplejp();
    rightGlideTarget = {6000, 2520};
}

namespace {

// A ladder takes the computer toggles, their state texts, the difficulty buttons and the
// turbo buttons off the screen.
void hideMatchSetUp(VyberpostavControls& c) {
    for (vk::Control* control :
         {&c.Image2, &c.Image3, &c.Text3, &c.Text2, &c.Image4, &c.Image5, &c.Image6, &c.Image7,
          &c.Image8, &c.Image9, &c.Image10, &c.Image11})
        control->setVisible(false);
}

}  // namespace

void Vyberpostav::zaplejl() { hideMatchSetUp(ui()); }
void Vyberpostav::zaplejp() { hideMatchSetUp(ui()); }

// The stage counters reveal no fighters yet.
void Vyberpostav::odemknutihracu() {}

}  // namespace vorkala
