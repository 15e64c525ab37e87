#include "shell/nacitani.h"

#include "shell/game.h"

namespace vorkala {

NacitaniControls::NacitaniControls(vk::Runtime& runtime, vk::Screen& screen)
    : ControlSet(runtime, screen) {
    backColor = vk::colours::kBlack;
    mousePointer = vk::MousePointer::Hourglass;  // the player waits while the game loads
}

Nacitani::Nacitani(Game& game) : ScreenOf(game.runtime(), "nacitani", "Vorkala - nacitani") {}

void Nacitani::bindEvents(NacitaniControls& c) {
    c.Timer1.onTimer = [this] { Timer1_Timer(); };
}

// The narrow rectangle Shape2 falls like a drop; the disc Shape6 stays where it is.
void Nacitani::Timer1_Timer() {
    auto& c = ui();
    moveDrops(
        {{c.Shape2, 100}, {c.Shape3, 200}, {c.Shape4, 150}, {c.Shape5, 250}, {c.Shape7, 300}});
}

}  // namespace vorkala
