// The turbo start buttons: one human with three lives takes on the other roster as a
// ladder of computer opponents.
#include <array>
#include <vector>

#include "progress/pocitadlo.h"
#include "runtime/runtime.h"
#include "select/vyberpostav.h"
#include "shell/game.h"

namespace vorkala {

struct TurboButton {
    vk::Control VyberpostavControls::*ownLives;
    vk::Control PocitadloControls::*lives;
    vk::Control PocitadloControls::*turboFlag;
    vk::Control PocitadloControls::*ladderStep;  // of the computer's side
    vk::Control PocitadloControls::*speed;       // of the computer's side; nothing reads it
    // Hidden after the buttons: the right button's cover 11, if any, then the lives
    // picture of the computer's side.
    bool hidesRightCover11;
    vk::Control VyberpostavControls::*otherLives;
    void (Vyberpostav::*layOutLadder)();
    // The ladder roster's portraits other than the first opponent's, in the order they
    // are disabled.
    std::array<const char*, 12> disabled;
};

namespace {

using C = VyberpostavControls;
using S = PocitadloControls;

const TurboButton kLeftTurbo{
    &C::Picture1,
    &S::Zivotyl,
    &S::Turbol,
    &S::PCp,
    &S::Rychlostp,
    true,
    &C::Picture2,
    &Vyberpostav::presunp,
    {"vst", "gv", "rn", "pz", "brejl", "zetro", "lirka", "girl", "Zuvka", "Robot", "rodi", "oxa"}};
const TurboButton kRightTurbo{
    &C::Picture2,
    &S::Zivotyp,
    &S::Turbop,
    &S::PCl,
    &S::Rychlostl,
    false,
    &C::Picture1,
    &Vyberpostav::presunl,
    {"tk", "pan", "krt", "rak", "xeo", "dulo", "fe", "Durvak", "bh", "zk", "Gradun", "Kuvo"}};

// Two blanks in front, one between the letters, three between the words.
const std::string kTurboText = "  T U R B O   M O D";
constexpr vk::Colour kTurboBack = 0xC000, kTurboFore = 0xFFFF;
const std::string kThreeLives = "\\data\\obr\\3.old";

}  // namespace

void Vyberpostav::startTurbo(const TurboButton& button) {
    clickSound();
    auto& c = ui();
    c.Text1.setText(kTurboText);
    c.Text1.setBackColor(kTurboBack);
    c.Text1.setForeColor(kTurboFore);
    c.Tvujkod.setVisible(true);
    (c.*button.ownLives).setPicture(runtime().loadPicture(kThreeLives));
    auto& store = game_.pocitadlo().ui();
    (store.*button.lives).setCaption("3");
    (store.*button.turboFlag).setCaption("1");
    (store.*button.ladderStep).setCaption("1");
    (store.*button.speed).setCaption("1000");
    std::vector<vk::Control*> hidden{&c.Image3, &c.Image4, &c.Text3,   &c.Text2,
                                     &c.Image2, &c.Image5, &c.Image6,  &c.Image7,
                                     &c.Image8, &c.Image9, &c.Image10, &c.Image11};
    if (button.hidesRightCover11) hidden.push_back(&c.pravejotaznik1[11]);
    hidden.push_back(&(c.*button.otherLives));
    for (vk::Control* control : hidden) control->setVisible(false);
    // The layout lets events run: should the hand-over take the screen away meanwhile,
    // none of its controls is touched again, which would load it once more behind the fight.
    const vk::ControlSet* controls = controlsIfLoaded();
    (this->*button.layOutLadder)();
    if (controlsIfLoaded() != controls) return;
    for (const char* code : button.disabled) ui().portraits[code].setEnabled(false);
}

void Vyberpostav::Image10_Click() { startTurbo(kLeftTurbo); }
void Vyberpostav::Image11_Click() { startTurbo(kRightTurbo); }

}  // namespace vorkala
