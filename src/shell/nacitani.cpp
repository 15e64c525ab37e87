#include "shell/nacitani.h"

#include "shell/game.h"

namespace vorkala {

NacitaniControls::NacitaniControls(vk::Runtime& runtime, vk::Screen& screen)
    : ControlSet(runtime, screen) {
    backColor = vk::colours::kBlack;
    mousePointer = vk::MousePointer::Hourglass;  // the player waits while the game loads
}

namespace {
// The screen's routines by name: the script driver calls them, and those named after an
// event of a control run on it.
const vk::RoutineRow<Nacitani> kRoutines[] = {
    {"Timer1_Timer", &Nacitani::Timer1_Timer},
};
}  // namespace

Nacitani::Nacitani(Game& game) : ScreenOf(game.runtime(), "nacitani", "Vorkala - nacitani") {
    exposeRoutines(*this, kRoutines);
}

// The narrow rectangle Shape2 falls like a drop; the disc Shape6 stays where it is.
void Nacitani::Timer1_Timer() {
    auto& c = ui();
    moveDrops(
        {{c.Shape2, 100}, {c.Shape3, 200}, {c.Shape4, 150}, {c.Shape5, 250}, {c.Shape7, 300}});
}

}  // namespace vorkala
