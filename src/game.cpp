#include "shell/game.h"

#include "fight/boj.h"
#include "fight/drzky.h"
#include "progress/pocitadlo.h"
#include "runtime/runtime.h"
#include "select/vyberpostav.h"
#include "shell/hlaska.h"
#include "shell/konecna.h"
#include "shell/module.h"
#include "shell/nacitani.h"
#include "shell/obr.h"
#include "shell/uvodni.h"

namespace vorkala {

Game::Game(vk::Runtime& runtime)
    : runtime_(runtime),
      pocitadlo_(std::make_unique<Pocitadlo>(runtime)),
      obr_(std::make_unique<Obr>(*this)),
      uvodni_(std::make_unique<Uvodni>(*this)),
      hlaska_(std::make_unique<Hlaska>(*this)),
      vyberpostav_(std::make_unique<Vyberpostav>(*this)),
      boj_(std::make_unique<Boj>(*this)),
      drzky_(std::make_unique<Drzky>(*this)),
      nacitani_(std::make_unique<Nacitani>(*this)),
      konecna_(std::make_unique<Konecna>(*this)) {
    // A run-time error that nothing catches ends the game with a message,
    // but never leaves the display switched: the desktop comes back first, so the box is
    // not hidden behind a full-screen window.
    runtime_.setUnhandledErrorHook([this](const vk::RuntimeError& error) {
        restoreDesktopAfterError();
        runtime_.messageBox(
            "Run-time error '" + std::to_string(error.code()) + "':\n\n" + error.what(), kAppTitle,
            vk::MessageButtons::Ok, vk::MessageIcon::Critical);
    });
}

void Game::restoreDesktopAfterError() {
    // An error before the title screen recorded the desktop size leaves nothing to restore
    // (the display was not switched yet); the restore's own error must not hide the first.
    try {
        RestoreDisplayMode(*this);
    } catch (const vk::RuntimeError&) {
    }
}

Game::~Game() = default;

vk::Screen& Game::selectionScreen() { return *vyberpostav_; }
HighScoreTable& Game::highScoreTable() { return *vyberpostav_; }

void Game::start() {
    runtime_.runTopLevel([this] { uvodni_->show(); });
}

}  // namespace vorkala
