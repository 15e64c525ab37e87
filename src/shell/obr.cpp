#include "shell/obr.h"

#include "runtime/runtime.h"
#include "shell/game.h"

namespace vorkala {

std::string stainPicture(int stage) {
    return "\\data\\layout\\stain" + std::to_string(stage) + ".png";
}

Obr::Obr(Game& game) : ScreenOf(game.runtime(), "obr", "Form1") {}

}  // namespace vorkala
