// A whole game on the headless platform, started and taken through the title screen's
// first-run OK to the selection screen. Its program folder holds the generated data
// folder and, for every fighter whose art is not generated yet, the fighter's pictures
// as copies of one small picture, so every pick can load its files.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "fight/boj.h"
#include "fight/drzky.h"
#include "progress/pocitadlo.h"
#include "runtime/data_files.h"
#include "select/roster.h"
#include "select/vyberpostav.h"
#include "shell/obr.h"
#include "shell/uvodni.h"
#include "whole_game.h"

namespace vorkala::testing {

namespace fs = std::filesystem;

// Every picture file a fighter's pick and preview load.
inline std::vector<std::string> fighterPictureFiles(const Fighter& fighter) {
    std::vector<std::string> files;
    for (int pose : kPoseIndices) files.push_back(poseFile(fighter, pose));
    files.push_back(winFaceFile(fighter));
    files.push_back(loseFaceFile(fighter));
    files.push_back(fighter.background);
    files.push_back(previewFile(fighter));
    return files;
}

inline std::vector<const Fighter*> everyFighter() {
    std::vector<const Fighter*> out;
    for (const Fighter& f : roster()) out.push_back(&f);
    return out;
}

// The temporary program folder; removed when the test program ends.
class FighterDataFolder {
  public:
    FighterDataFolder()
        : folder_(fs::temp_directory_path() / ("vorkala-select-" + std::to_string(::getpid()))) {
        const fs::path generated = vk::defaultProgramFolder() / "data";
        fs::remove_all(folder_);
        fs::create_directories(folder_ / "data" / "obr");
        for (const auto& entry : fs::directory_iterator(generated)) {
            if (entry.path().filename() == "obr") continue;
            fs::create_symlink(entry.path(), folder_ / "data" / entry.path().filename());
        }
        for (const auto& entry : fs::directory_iterator(generated / "obr"))
            fs::create_symlink(entry.path(), folder_ / "data" / "obr" / entry.path().filename());
        vk::DataFiles files(folder_);
        for (const Fighter& fighter : roster())
            for (const std::string& name : fighterPictureFiles(fighter)) {
                if (files.resolve(name)) continue;
                fs::copy_file(generated / "obr" / "1.old",
                              folder_ / "data" / "obr" / vk::splitDataName(name).back());
                files.forgetListings();
            }
    }
    ~FighterDataFolder() {
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }
    const fs::path& path() const { return folder_; }

  private:
    fs::path folder_;
};

inline const fs::path& fighterProgramFolder() {
    static const FighterDataFolder folder;
    return folder.path();
}

class SelectionFixture : public ::testing::Test, public WholeGame {
  protected:
    SelectionFixture() : WholeGame(fighterProgramFolder()) {}

    // Title screen, first-run OK: the selection screen is loaded and shown.
    void startSelection() {
        game.start();
        click(game.uvodni().ui().Image5);
        loadedAt = runtime.now();
    }
    // Loads the selection screen after the test has set the store up.
    void loadSelection() {
        run([&] { game.vyberpostav().show(); });
    }

    // Moves the clock to `ms` after the selection screen's load.
    void advanceToMs(long ms) {
        headless.advance(runtime, loadedAt + ms * vk::kMicrosPerMilli - runtime.now());
    }
    void postClick(const vk::Control& c) { headless.input.post(vk::clickOn(c)); }
    using WholeGame::call;
    void call(const std::string& routine) { call(game.vyberpostav(), routine); }

    VyberpostavControls& ui() { return game.vyberpostav().ui(); }
    PocitadloControls& store() { return game.pocitadlo().ui(); }
    BojControls& fight() { return game.boj().ui(); }
    ObrControls& pictures() { return game.obr().ui(); }
    vk::Control& portrait(const std::string& code) { return ui().portraits[code]; }

    static std::string source(const vk::Control& c) {
        return c.picture() ? c.picture()->source() : std::string("(none)");
    }
    // The commands a channel of the selection screen was sent, in order.
    std::vector<std::string> commandsTo(const std::string& owner) const {
        std::vector<std::string> out;
        for (const auto& command : headless.audio.commands())
            if (command.owner == owner) out.push_back(command.command);
        return out;
    }

    vk::Micros loadedAt = 0;
};

}  // namespace vorkala::testing
