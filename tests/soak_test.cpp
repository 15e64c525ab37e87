// Random play for many virtual minutes with fixed seeds: both players' fight keys, clicks
// and mouse moves on the shown screen's controls, text typed into the code box. Whatever
// happens, no run-time error may end the game, every fight that starts must reach the
// after-fight screen, and the match state store's labels, which the game reads as
// numbers, must hold numbers. A game that ends (its end buttons) is started again with
// the same saved progress, so later games take the second-run road.
#include <gtest/gtest.h>

#include <iostream>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "progress/pocitadlo.h"
#include "runtime/control_set.h"
#include "runtime/data_files.h"
#include "runtime/errors.h"
#include "runtime/values.h"
#include "select/roster.h"
#include "whole_game.h"

namespace vorkala::testing {
namespace {

#ifdef VORKALA_LONG_SOAK
constexpr long kVirtualMinutesPerSeed = 240;
#else
constexpr long kVirtualMinutesPerSeed = 10;
#endif

// Saved progress outlives one game: each new game reads what the last one saved.
class SharedSettings : public vk::SettingsStore {
  public:
    explicit SharedSettings(vk::MemorySettings& inner) : inner_(inner) {}
    std::string get(const std::string& app, const std::string& section,
                    const std::string& key) const override {
        return inner_.get(app, section, key);
    }
    void set(const std::string& app, const std::string& section, const std::string& key,
             const std::string& value) override {
        inner_.set(app, section, key, value);
    }
    void deleteSection(const std::string& app, const std::string& section) override {
        inner_.deleteSection(app, section);
    }

  private:
    vk::MemorySettings& inner_;
};

struct SoakTally {
    int games = 0;
    int fightsStarted = 0;
    int fightsFinished = 0;
    int fightsQuit = 0;
    long steps = 0;
};

class Soak {
  public:
    explicit Soak(unsigned seed) : rng_(seed) { newGame(); }

    // Plays until `virtualMs` of play have passed; returns the first fault found.
    std::string play(long virtualMs) {
        while (playedMs_ + game_->nowMs() < virtualMs) {
            if (game_->runtime.ended()) {
                if (auto fault = gameEnded(); !fault.empty()) return fault;
                newGame();
                continue;
            }
            step();
            ++tally.steps;
            if (auto fault = check(); !fault.empty()) return describe(fault);
        }
        return gameEnded();
    }

    SoakTally tally;

  private:
    void newGame() {
        if (game_) playedMs_ += game_->nowMs();
        game_ = std::make_unique<WholeGame>(vk::defaultProgramFolder(), nullptr,
                                            std::make_unique<SharedSettings>(saved_));
        game_->headless.display.setDesktop(1024, 768);
        ++tally.games;
        fightStartMs_ = -1;
        wasFighting_ = false;
        game_->game.start();
    }

    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }

    void step() {
        const int roll = below(100);
        if (roll < 35)
            pressFightKey();
        else if (roll < 65)
            clickSomething();
        else if (roll < 75)
            moveOverSomething();
        else if (roll < 85)
            typeIntoCodeBox();
        else if (roll < 88)
            game_->post(vk::KeyPressEvent{static_cast<char>(0x20 + below(95))});
        else
            game_->advanceMs(100 + below(2000));
        if (!game_->runtime.ended()) game_->advanceMs(1 + below(50));
    }

    void pressFightKey() {
        const int key = kFightKeys[static_cast<std::size_t>(below(kFightKeys.size()))];
        game_->post(vk::KeyDownEvent{key, 0});
        if (!game_->runtime.ended()) game_->advanceMs(below(150));
        if (!game_->runtime.ended()) game_->post(vk::KeyUpEvent{key, 0});
    }

    // The shown screen's visible controls; portraits come up more often on the selection
    // screen, so that fights start between the other clicks.
    std::vector<vk::Control*> targets() const {
        std::vector<vk::Control*> found;
        vk::Screen* screen = game_->runtime.activeScreen();
        if (!screen || !screen->loaded()) return found;
        for (vk::Control* c : screen->controls().all())
            if (c->visible()) found.push_back(c);
        return found;
    }

    void clickSomething() {
        // The fight is played with keys; its end button would end most fights early.
        if (game_->runtime.activeScreen() == &game_->game.boj() && below(20) != 0) return;
        auto& selection = game_->game.vyberpostav();
        if (WholeGame::showing(selection) && game_->runtime.activeScreen() == &selection &&
            below(2) == 0) {
            const auto& fighters = roster();
            game_->pick(fighters[static_cast<std::size_t>(below(fighters.size()))].code);
            return;
        }
        const auto found = targets();
        if (!found.empty()) game_->click(*found[static_cast<std::size_t>(below(found.size()))]);
    }

    void moveOverSomething() {
        const auto found = targets();
        if (!found.empty()) game_->moveOver(*found[static_cast<std::size_t>(below(found.size()))]);
    }

    // Clicks the code box and types a few characters, digits and erasures mostly.
    void typeIntoCodeBox() {
        auto& selection = game_->game.vyberpostav();
        if (!WholeGame::showing(selection) || game_->runtime.activeScreen() != &selection) return;
        const vk::Control& box = selection.ui().Text1;
        if (!box.visible() || !box.enabled()) return;
        game_->click(box);
        static const std::string kTyped = "0123456789\b\b\bABCXYZabcxyz .,-";
        for (int n = 1 + below(8); n > 0 && !game_->runtime.ended(); --n)
            game_->post(vk::KeyPressEvent{kTyped[static_cast<std::size_t>(below(kTyped.size()))]});
    }

    std::string check() {
        if (auto fault = runtimeError(); !fault.empty()) return fault;
        if (auto fault = fightProgress(); !fault.empty()) return fault;
        return numericStore();
    }

    std::string runtimeError() const {
        for (const auto& shown : game_->headless.messages.shown())
            if (shown.icon == vk::MessageIcon::Critical) return "error box: " + shown.text;
        return {};
    }

    // A fight runs from the fight screen's show to the after-fight screen's.
    std::string fightProgress() {
        Game& game = game_->game;
        const bool afterFight = WholeGame::showing(game.drzky());
        const bool fighting = WholeGame::showing(game.boj()) && !afterFight;
        if (fighting && !wasFighting_) {
            fightStartMs_ = game_->nowMs();
            ++tally.fightsStarted;
        }
        wasFighting_ = fighting;
        if (fightStartMs_ < 0) return {};
        if (afterFight) {
            fightStartMs_ = -1;
            ++tally.fightsFinished;
        } else if (game_->nowMs() - fightStartMs_ > kLongestFightMs) {
            return "a fight started at " + std::to_string(fightStartMs_) +
                   " ms has not reached the after-fight screen";
        }
        return {};
    }

    // Every store label written since the store's load holds a number.
    std::string numericStore() const {
        auto& store = game_->game.pocitadlo();
        if (!store.loaded()) return {};
        for (const vk::Control* label : store.ui().all()) {
            if (label->caption() == label->name()) continue;  // not written yet
            try {
                vk::toDouble(label->caption());
            } catch (const vk::RuntimeError&) {
                return "store label " + label->name() + " holds \"" + label->caption() + "\"";
            }
        }
        return {};
    }

    std::string gameEnded() {
        if (auto fault = runtimeError(); !fault.empty()) return describe(fault);
        // Ended from a fight: only the end buttons can do that.
        if (fightStartMs_ >= 0) ++tally.fightsQuit;
        fightStartMs_ = -1;
        return {};
    }

    std::string describe(const std::string& fault) const {
        std::ostringstream out;
        out << fault << " (game " << tally.games << ", step " << tally.steps << ", "
            << game_->nowMs() << " ms into the game)";
        return out.str();
    }

    std::mt19937 rng_;
    vk::MemorySettings saved_;
    std::unique_ptr<WholeGame> game_;
    long playedMs_ = 0;
    long fightStartMs_ = -1;
    bool wasFighting_ = false;
};

class SoakTest : public ::testing::TestWithParam<unsigned> {};

TEST_P(SoakTest, RandomPlayKeepsTheGameSound) {
    Soak soak(GetParam());
    const std::string fault = soak.play(kVirtualMinutesPerSeed * 60'000);
    EXPECT_EQ(fault, "");
    const SoakTally& t = soak.tally;
    RecordProperty("fights", t.fightsStarted);
    std::cout << "seed " << GetParam() << ": " << t.games << " games, " << t.steps << " steps, "
              << t.fightsStarted << " fights started, " << t.fightsFinished << " finished, "
              << t.fightsQuit << " quit\n";
    // The random play must actually get into fights for the run to mean anything.
    EXPECT_GT(t.fightsStarted, 0);
    EXPECT_EQ(t.fightsStarted, t.fightsFinished + t.fightsQuit);
}

INSTANTIATE_TEST_SUITE_P(Seeds, SoakTest, ::testing::Values(1u, 2u, 3u, 4u));

}  // namespace
}  // namespace vorkala::testing
