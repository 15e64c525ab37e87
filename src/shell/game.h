// The whole game: one object per screen for the whole run, and the start of the program.
// Every screen reaches the others through it; its constructor (src/game.cpp) is the one
// place that knows them all.
#pragma once

#include <memory>

namespace vk {
class Runtime;
class Screen;
}  // namespace vk

namespace vorkala {

class Pocitadlo;
class Obr;
class Uvodni;
class Hlaska;
class Vyberpostav;
class Boj;
class Drzky;
class Nacitani;
class Konecna;
class HighScoreTable;

class Game {
  public:
    explicit Game(vk::Runtime& runtime);
    ~Game();
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    vk::Runtime& runtime() const { return runtime_; }

    // The program starts on the title screen.
    void start();

    Pocitadlo& pocitadlo() { return *pocitadlo_; }
    Obr& obr() { return *obr_; }
    Uvodni& uvodni() { return *uvodni_; }
    Hlaska& hlaska() { return *hlaska_; }
    Vyberpostav& vyberpostav() { return *vyberpostav_; }
    Boj& boj() { return *boj_; }
    Drzky& drzky() { return *drzky_; }
    Nacitani& nacitani() { return *nacitani_; }
    Konecna& konecna() { return *konecna_; }

    // The selection screen as the screens below it reach it: the title and the
    // after-fight screen show and unload it, the title fills its high-score table.
    vk::Screen& selectionScreen();
    HighScoreTable& highScoreTable();

  private:
    void restoreDesktopAfterError();

    vk::Runtime& runtime_;
    std::unique_ptr<Pocitadlo> pocitadlo_;
    std::unique_ptr<Obr> obr_;
    std::unique_ptr<Uvodni> uvodni_;
    std::unique_ptr<Hlaska> hlaska_;
    std::unique_ptr<Vyberpostav> vyberpostav_;
    std::unique_ptr<Boj> boj_;
    std::unique_ptr<Drzky> drzky_;
    std::unique_ptr<Nacitani> nacitani_;
    std::unique_ptr<Konecna> konecna_;
};

}  // namespace vorkala
