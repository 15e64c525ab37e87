// A picture file missing from the data folder ends the game with a message naming it,
// with the desktop restored, never a crash.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <string>

#include "runtime/data_files.h"
#include "runtime/headless/headless_platform.h"
#include "runtime/runtime.h"
#include "shell/game.h"
#include "shell/uvodni.h"

namespace vorkala {
namespace {

namespace fs = std::filesystem;

// The generated data folder, copied without one file.
class MissingPicture : public ::testing::Test {
  protected:
    void play(const std::string& missing,
              const std::function<void(vk::HeadlessPlatform&, vk::Runtime&, Game&)>& then) {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        // The process id keeps test runs of several checkouts apart.
        folder = fs::temp_directory_path() / (std::string("vorkala-missing-") + info->name() + "-" +
                                              std::to_string(::getpid()));
        fs::remove_all(folder);
        fs::copy(vk::defaultProgramFolder() / "data", folder, fs::copy_options::recursive);
        fs::remove(folder / missing);
        vk::HeadlessPlatform headless(vk::defaultProgramFolder(), nullptr, folder);
        headless.display.setDesktop(1280, 1024);
        vk::Runtime runtime(headless.platform());
        Game game(runtime);
        game.start();
        then(headless, runtime, game);
        ended = runtime.ended();
        shown = headless.messages.shown();
        changes = headless.display.changes();
        fs::remove_all(folder);
    }

    fs::path folder;
    bool ended = false;
    std::vector<vk::ScriptedMessageBox::Shown> shown;
    std::vector<std::pair<int, int>> changes;
};

TEST_F(MissingPicture, TitleArtMissingAtStartNamesTheFile) {
    play("layout/uvodni.png", [](vk::HeadlessPlatform&, vk::Runtime&, Game&) {});
    EXPECT_TRUE(ended);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].icon, vk::MessageIcon::Critical);
    EXPECT_NE(shown[0].text.find("File not found"), std::string::npos) << shown[0].text;
    EXPECT_NE(shown[0].text.find("uvodni.png"), std::string::npos) << shown[0].text;
    EXPECT_TRUE(changes.empty());  // the display was never switched
}

TEST_F(MissingPicture, HelpPictureMissingRestoresTheDesktopAndNamesTheFile) {
    play("layout/hlaska.png", [](vk::HeadlessPlatform& headless, vk::Runtime& runtime, Game& game) {
        const vk::Control& info = game.uvodni().ui().Image3;
        headless.input.post(vk::ClickEvent{info.left() + 10, info.top() + 10});
        runtime.dispatchPending();
    });
    EXPECT_TRUE(ended);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_NE(shown[0].text.find("hlaska.png"), std::string::npos) << shown[0].text;
    ASSERT_EQ(changes.size(), 2u);
    EXPECT_EQ(changes[0], std::pair(800, 600));
    EXPECT_EQ(changes[1], std::pair(1280, 1024));
}

}  // namespace
}  // namespace vorkala
