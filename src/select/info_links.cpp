// The info button, which opens the help picture of the game's keys, and the two links.
#include "runtime/runtime.h"
#include "select/vyberpostav.h"
#include "shell/game.h"
#include "shell/hlaska.h"
#include "shell/module.h"

namespace vorkala {

void Vyberpostav::Image12_Click() {
    replay(ui().MMControl1);
    game_.hlaska().show();
}

void Vyberpostav::Image13_Click() { runtime().openLink(kMailLink); }
void Vyberpostav::Image15_Click() { runtime().openLink(kWebLink); }

}  // namespace vorkala
