// Every file that the roster names is in the generated data folder, spelled so that the
// game's lookup finds it (letter case does not count, trailing blanks are dropped).
#include <gtest/gtest.h>

#include "runtime/data_files.h"
#include "select/roster.h"
#include "select_fixture.h"

namespace vorkala::testing {
namespace {

class RosterFiles : public ::testing::TestWithParam<const Fighter*> {
  protected:
    void SetUp() override {
        if (!files.resolve("\\data\\obr\\krtpost.old"))
            GTEST_SKIP() << "the fighters' art is not in the generated data folder yet";
    }
    vk::DataFiles files{vk::defaultProgramFolder()};
};

TEST_P(RosterFiles, AreAllInTheGeneratedDataFolder) {
    const Fighter& f = *GetParam();
    for (const std::string& name : fighterPictureFiles(f))
        EXPECT_TRUE(files.resolve(name)) << f.code << ": " << name;
    EXPECT_TRUE(files.resolve(voiceFile(f))) << f.code;
    EXPECT_TRUE(files.resolve(portraitPicture(f))) << f.code;
}

INSTANTIATE_TEST_SUITE_P(Roster, RosterFiles, ::testing::ValuesIn(everyFighter()),
                         [](const auto& info) { return std::string(info.param->code); });

}  // namespace
}  // namespace vorkala::testing
