// A whole game on the headless platform, for tests of the game's screens.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "audio_records.h"
#include "runtime/data_files.h"
#include "whole_game.h"

namespace vorkala::testing {

class GameFixture : public ::testing::Test, public WholeGame {
  protected:
    explicit GameFixture(std::unique_ptr<vk::SettingsStore> settings = nullptr)
        : WholeGame(vk::defaultProgramFolder(), nullptr, std::move(settings)) {}
};

}  // namespace vorkala::testing
