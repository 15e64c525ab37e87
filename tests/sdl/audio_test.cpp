// Sound channels on SDL_mixer with SDL's dummy audio driver, which plays in real time.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <thread>

#include "bytes.h"
#include "runtime/data_files.h"
#include "runtime/sdl/sdl_audio.h"
#include "sdl/sdl_test_support.h"
#include "wav.h"

namespace vk::sdl {
namespace {

namespace fs = std::filesystem;
using Action = ChannelRequest::Action;

class AudioTest : public ::testing::Test {
  protected:
    AudioTest() : sdl(SDL_INIT_AUDIO) {
        folder =
            fs::temp_directory_path() /
            ("vorkala-audio-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(folder);
        // A long tone, so it is still sounding when the test looks.
        gen::writeFile(folder / "long.wav",
                       gen::encodeWav(gen::tone(gen::Wave::Sine, 440, 3.0, {}, 0.5)));
        audio.emplace();
    }
    ~AudioTest() override {
        audio.reset();
        fs::remove_all(folder);
    }

    static fs::path dataFile(const std::string& name) {
        return defaultProgramFolder() / "data" / name;
    }
    void send(Action action, ChannelId id, const fs::path& file = {}) {
        audio->perform({action, id, "test.MMControl" + std::to_string(id), "", file});
    }

    testing::SdlSession sdl;
    fs::path folder;
    std::optional<SdlAudio> audio;
};

TEST_F(AudioTest, OpenLoadsStartPlaysStopHaltsAndFrees) {
    ASSERT_TRUE(audio->deviceOpen());
    send(Action::Open, 1, folder / "long.wav");
    EXPECT_EQ(audio->holding(1), SdlAudio::Holding::Wave);
    EXPECT_FALSE(audio->isPlaying(1));
    send(Action::Start, 1);
    EXPECT_TRUE(audio->isPlaying(1));
    send(Action::Stop, 1);
    EXPECT_FALSE(audio->isPlaying(1));
    EXPECT_EQ(audio->holding(1), SdlAudio::Holding::Nothing);
    // Opened again it plays again from the start.
    send(Action::Open, 1, folder / "long.wav");
    send(Action::Start, 1);
    EXPECT_TRUE(audio->isPlaying(1));
}

TEST_F(AudioTest, EveryChannelHasAMixerChannelOfItsOwn) {
    for (ChannelId id : {1, 2, 3}) {
        send(Action::Open, id, folder / "long.wav");
        send(Action::Start, id);
    }
    ASSERT_TRUE(audio->mixerChannel(1) && audio->mixerChannel(2) && audio->mixerChannel(3));
    EXPECT_NE(*audio->mixerChannel(1), *audio->mixerChannel(2));
    EXPECT_NE(*audio->mixerChannel(2), *audio->mixerChannel(3));
    EXPECT_NE(*audio->mixerChannel(1), *audio->mixerChannel(3));
    send(Action::Stop, 2);
    EXPECT_TRUE(audio->isPlaying(1));
    EXPECT_TRUE(audio->isPlaying(3));
}

TEST_F(AudioTest, MoreSoundsThanMixerChannelsStillEachPlay) {
    for (ChannelId id = 1; id <= 40; ++id) {
        send(Action::Open, id, folder / "long.wav");
        send(Action::Start, id);
    }
    for (ChannelId id = 1; id <= 40; ++id) EXPECT_TRUE(audio->isPlaying(id)) << id;
}

TEST_F(AudioTest, AWavePlaysOnAfterItsControlIsGoneMusicStops) {
    send(Action::Open, 1, folder / "long.wav");
    send(Action::Start, 1);
    const int mixer = *audio->mixerChannel(1);
    audio->release(1);
    EXPECT_EQ(audio->holding(1), SdlAudio::Holding::Nothing);
    EXPECT_TRUE(Mix_Playing(mixer));
    EXPECT_EQ(audio->draining(), 1u);
    // Its mixer channel is not handed to another sound while it sounds.
    send(Action::Open, 2, folder / "long.wav");
    send(Action::Start, 2);
    EXPECT_NE(*audio->mixerChannel(2), mixer);

    send(Action::Open, 3, dataFile("hudba/mezi.mid"));
    ASSERT_EQ(audio->holding(3), SdlAudio::Holding::Music);
    send(Action::Start, 3);
    EXPECT_TRUE(audio->musicPlaying());
    audio->release(3);
    EXPECT_FALSE(audio->musicPlaying());
}

TEST_F(AudioTest, TheDecoderIsChosenByContentNotByName) {
    fs::copy_file(dataFile("hudba/mezi.mid"), folder / "tune.wav");
    fs::copy_file(folder / "long.wav", folder / "sound.mid");
    send(Action::Open, 1, folder / "tune.wav");
    send(Action::Open, 2, folder / "sound.mid");
    EXPECT_EQ(audio->holding(1), SdlAudio::Holding::Music);
    EXPECT_EQ(audio->holding(2), SdlAudio::Holding::Wave);
}

TEST_F(AudioTest, MissingOrBrokenFilesStaySilentEachBrokenOneReportedOnce) {
    std::ofstream(folder / "broken.wav") << "not a sound";
    std::ofstream(folder / "broken.mid") << "MThd and then nothing a tune is made of";
    ::testing::internal::CaptureStderr();
    for (int round = 0; round < 2; ++round) {
        send(Action::Open, 1, {});
        send(Action::Open, 2, folder / "absent.wav");
        send(Action::Open, 3, folder / "broken.wav");
        send(Action::Open, 4, folder / "broken.mid");
        audio->playMusic({9, "test.fightMusic", folder / "broken.mid", 100, 1});
        for (ChannelId id : {1, 2, 3, 4}) {
            send(Action::Start, id);
            EXPECT_EQ(audio->holding(id), SdlAudio::Holding::Nothing);
            EXPECT_FALSE(audio->isPlaying(id));
        }
    }
    EXPECT_FALSE(audio->musicPlaying());
    const std::string told = ::testing::internal::GetCapturedStderr();
    for (const char* broken : {"broken.wav", "broken.mid"}) {
        const auto first = told.find((folder / broken).string());
        ASSERT_NE(first, std::string::npos) << broken << ": " << told;
        EXPECT_EQ(told.find((folder / broken).string(), first + 1), std::string::npos) << told;
    }
    EXPECT_EQ(told.find("absent.wav"), std::string::npos) << "a missing file is no damage";
}

TEST_F(AudioTest, StoppingOneChannelLeavesAnotherChannelsMusicPlaying) {
    send(Action::Open, 1, dataFile("hudba/mezi.mid"));
    send(Action::Start, 1);
    send(Action::Open, 2, folder / "long.wav");
    send(Action::Stop, 2);
    EXPECT_TRUE(audio->musicPlaying());
    send(Action::Stop, 1);
    EXPECT_FALSE(audio->musicPlaying());
}

TEST_F(AudioTest, FightMusicPlaysAtItsVolumeAndStopsOnAnEmptyFile) {
    audio->playMusic({7, "fight.WindowsMediaPlayer1", folder / "long.wav", 100, 2});
    const int fullVolume = Mix_VolumeMusic(-1);
    audio->playMusic({7, "fight.WindowsMediaPlayer1", folder / "long.wav", 50, 2});
    EXPECT_TRUE(audio->musicPlaying());
    EXPECT_EQ(Mix_VolumeMusic(-1), fullVolume / 2) << "half volume";
    audio->playMusic({8, "other.player", {}, 100, 1});  // not its track
    EXPECT_TRUE(audio->musicPlaying());
    audio->playMusic({7, "fight.WindowsMediaPlayer1", {}, 50, 2});
    EXPECT_FALSE(audio->musicPlaying());
}

TEST_F(AudioTest, AShortWaveEndsByItself) {
    send(Action::Open, 1, dataFile("zvuk/kov.wav"));
    send(Action::Start, 1);
    EXPECT_TRUE(audio->isPlaying(1));
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(3);
    while (audio->isPlaying(1) && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_FALSE(audio->isPlaying(1));
}

// ---- MIDI instruments

struct InstrumentsCase {
    const char* name;
    std::map<std::string, std::string> environment;
    std::set<std::string> files;
    std::string timidityConfig, soundFont;
    bool disableFluidSynth;
};

class Instruments : public ::testing::TestWithParam<InstrumentsCase> {};

TEST_P(Instruments, FreepatsTakesOverFromFluidSynthUnlessTheUserChoseOtherwise) {
    const InstrumentsCase& c = GetParam();
    const MidiInstruments chosen = chooseMidiInstruments(
        [&](const char* name) -> const char* {
            auto found = c.environment.find(name);
            return found == c.environment.end() ? nullptr : found->second.c_str();
        },
        [&](const std::string& file) { return c.files.count(file) > 0; });
    EXPECT_EQ(chosen.timidityConfig, c.timidityConfig);
    EXPECT_EQ(chosen.soundFont, c.soundFont);
    EXPECT_EQ(chosen.disableFluidSynth, c.disableFluidSynth);
}

const std::string kFreepats = "/etc/timidity/freepats.cfg";
const std::string kPlusPlus = "/etc/timidity/timidity.cfg";
const std::string kGm = "/usr/share/sounds/sf2/default-GM.sf2";
const std::string kTim = "/usr/share/sounds/sf2/TimGM6mb.sf2";

INSTANTIATE_TEST_SUITE_P(
    Machines, Instruments,
    ::testing::Values(
        InstrumentsCase{"Debian", {}, {kFreepats, kPlusPlus, kGm, kTim}, kFreepats, kGm, true},
        InstrumentsCase{"OnlyTimidityPlusPlus", {}, {kPlusPlus, kTim}, kPlusPlus, kTim, false},
        InstrumentsCase{"UserSoundFont",
                        {{"SDL_SOUNDFONTS", "/my.sf2"}},
                        {kFreepats, kGm},
                        kFreepats,
                        "",
                        false},
        InstrumentsCase{"UserKeepsFluidSynth",
                        {{"SDL_MIXER_DISABLE_FLUIDSYNTH", "0"}},
                        {kFreepats, kGm},
                        kFreepats,
                        kGm,
                        false},
        InstrumentsCase{"UserTimidity", {{"TIMIDITY_CFG", "/my.cfg"}}, {kGm}, "", kGm, true},
        InstrumentsCase{"Nothing", {}, {}, "", "", false}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vk::sdl
