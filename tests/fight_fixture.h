// A whole game on the headless platform with both fighters' pictures and values in the
// stores, as the selection screen's picks leave them.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "audio_records.h"
#include "fight/boj.h"
#include "fight/drzky.h"
#include "progress/pocitadlo.h"
#include "runtime/data_files.h"
#include "shell/obr.h"
#include "whole_game.h"

namespace vorkala::testing {

class FightFixture : public ::testing::Test, public WholeGame {
  protected:
    // The pose indices a pick fills.
    static constexpr std::array kPoses{0, 1, 2, 5, 8, 11, 12, 15, 16, 17, 18, 19, 20};

    FightFixture() : WholeGame(vk::defaultProgramFolder()) {
        headless.display.setDesktop(1024, 768);
        game.start();
    }

    // Pictures and values of two picked fighters; every picture is its own object.
    void fillStores(const std::string& leftEnergy = "50", const std::string& rightEnergy = "50") {
        run([&] {
            auto& pictures = game.obr().ui();
            for (int pose : kPoses) {
                pictures.levej[pose].setPicture(runtime.loadPicture("\\data\\obr\\1.old"));
                pictures.pravej[pose].setPicture(runtime.loadPicture("\\data\\obr\\2.old"));
            }
            pictures.levejwin.setPicture(runtime.loadPicture("\\data\\obr\\3.old"));
            pictures.levejout.setPicture(runtime.loadPicture("\\data\\obr\\mrtev.old"));
            pictures.pravejwin.setPicture(runtime.loadPicture("\\data\\obr\\3.old"));
            pictures.pravejout.setPicture(runtime.loadPicture("\\data\\obr\\mrtev.old"));
            store().energiel.setCaption(leftEnergy);
            store().energiep.setCaption(rightEnergy);
        });
    }

    // The first pick touches the fight screen, which loads it; then it writes the name
    // into the after-fight screen, which loads that one hidden.
    void loadFight() {
        run([&] {
            game.boj().ui().meno1.setCaption("Lev");
            game.drzky().ui().lev.setCaption("Lev");
        });
    }

    // Both fighters stand where gravity leaves a sprite of the design height: on the first
    // 100-twip step below the ground line 4320.
    void startFight(const std::string& leftEnergy = "50", const std::string& rightEnergy = "50") {
        fillStores(leftEnergy, rightEnergy);
        loadFight();
        fight().prvni.setTop(kStanding);
        fight().druhej.setTop(kStanding);
    }
    static constexpr float kStanding = 4420;

    // Stops gravity, the rise and the apex, so a test can hold a fighter in the air.
    void holdInTheAir() {
        for (vk::Timer* t : {&fight().Timer11, &fight().Timer22, &fight().Timer20, &fight().Timer23,
                             &fight().Timer4, &fight().Timer13})
            t->setEnabled(false);
    }

    // Energies as the blows leave them; Timer12 copies them for the time-out.
    void setEnergies(const std::string& left, const std::string& right) {
        fight().ziv1.setCaption(left);
        fight().ziv2.setCaption(right);
    }

    // The fighters' places on the floor.
    void place(float left, float right) {
        fight().prvni.setLeft(left);
        fight().druhej.setLeft(right);
    }
    using WholeGame::call;
    void call(const std::string& routine) { call(boj(), routine); }

    Boj& boj() { return game.boj(); }
    BojControls& fight() { return game.boj().ui(); }
    PocitadloControls& store() { return game.pocitadlo().ui(); }
    ObrControls& pictures() { return game.obr().ui(); }
};

}  // namespace vorkala::testing
