// Runs of the whole game against one settings file in a temporary folder, so a test can
// end the program and start it again over the progress it saved. The program folder is
// the selection tests' one, with stand-in pictures for every fighter.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "fight/boj.h"
#include "fight/drzky.h"
#include "progress/pocitadlo.h"
#include "progress/saved_progress.h"
#include "runtime/settings_json.h"
#include "select/vyberpostav.h"
#include "select_fixture.h"
#include "shell/nacitani.h"
#include "shell/uvodni.h"

namespace vorkala::testing {

// One start of the program.
struct ProgressRun : WholeGame {
    explicit ProgressRun(const fs::path& settingsFile)
        : WholeGame(fighterProgramFolder(), nullptr,
                    std::make_unique<vk::JsonSettingsStore>(settingsFile, savedProgressLayout())) {
        headless.display.setDesktop(1024, 768);
        game.start();
    }

    // The title's OK button that is in front: first run or a later one.
    void okOnTitle() {
        auto& title = game.uvodni().ui();
        click(title.Image5.visible() ? title.Image5 : title.Image1);
    }
    using WholeGame::call;
    void call(const std::string& routine) { call(game.vyberpostav(), routine); }
    // Runs the clock until the selection screen has handed over to the fight.
    void advanceToFight() {
        for (int tick = 0; tick < 20 && !game.boj().visible(); ++tick) advanceMs(500);
        ASSERT_TRUE(game.boj().visible());
        ASSERT_FALSE(game.vyberpostav().loaded());
    }
    // Ends the fight with these energies at the countdown's last tick, which decides it and
    // runs the finishing sequence.
    void timeOut(const std::string& left, const std::string& right) {
        run([&] {
            auto& fight = game.boj().ui();
            fight.ziv1.setCaption(left);
            fight.ziv2.setCaption(right);
            fight.Label3.setCaption(left);
            fight.Label4.setCaption(right);
            game.boj().secondsLeft = 1;
            game.boj().Timer14_Timer();
        });
    }
    // The time-out, then the after-fight screen shows and its next-fight button is clicked.
    void finishFight(const std::string& left, const std::string& right) {
        timeOut(left, right);
        advanceMs(4000);
        ASSERT_TRUE(game.drzky().visible());
        click(game.drzky().ui().Image1);
        ASSERT_TRUE(game.vyberpostav().visible());
        ASSERT_FALSE(game.nacitani().loaded());
    }
    // Two picks, the hand-over, the fight and the way back to the selection screen.
    void fight(const char* leftFighter, const char* rightFighter, const std::string& left,
               const std::string& right) {
        call(std::string(leftFighter) + "_Click");
        call(std::string(rightFighter) + "_Click");
        advanceToFight();
        finishFight(left, right);
    }

    VyberpostavControls& ui() { return game.vyberpostav().ui(); }
    PocitadloControls& store() { return game.pocitadlo().ui(); }
};

// A fresh settings folder per test.
class ProgressFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string name = std::string(info->test_suite_name()) + "-" + info->name();
        for (char& ch : name)
            if (ch == '/') ch = '-';
        folder = fs::temp_directory_path() /
                 ("vorkala-progress-" + std::to_string(::getpid()) + "-" + name);
        fs::remove_all(folder);
        fs::create_directories(folder);
        file = folder / "settings.json";
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(folder, ignored);
    }

    // What the settings file holds now, read by a store of its own.
    std::string savedValue(const std::string& key) const {
        return vk::JsonSettingsStore(file).get("Vorkala", "hraci", key);
    }

    fs::path folder, file;
};

}  // namespace vorkala::testing
