// What the player hears: the game's generated sounds and tunes played by the mixer into
// SDL's disk audio driver, which writes the mixed output to a file as fast as it can mix.
// The menu tune and every fight loop at the music's loudness, every effect a little above
// it, and the loudest moments (the sounds that start together at a knock-out, over the
// fight music) without a clipped sample.
#include <SDL.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "loudness.h"
#include "runtime/data_files.h"
#include "runtime/sdl/sdl_audio.h"
#include "sdl/sdl_test_support.h"

namespace vk::sdl {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using Action = ChannelRequest::Action;

// What the player hears, in LUFS over both speakers.
constexpr double kMusicHeard = -26.0;
constexpr double kEffectHeard = -24.0;
constexpr double kTolerance = 1.5;
// Spiky effects (a click) stop at the peak ceiling below the effects' loudness.
constexpr double kSpikyBelow = 4.0;

constexpr int kRate = 44100;
constexpr std::uintmax_t kBytesPerSecond = kRate * 2 * sizeof(std::int16_t);

class HeardMix : public ::testing::Test {
  protected:
    HeardMix() : output(fs::temp_directory_path() / ("vorkala-heard-" + std::to_string(getpid()))) {
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", output.c_str(), 1);
        setenv("SDL_DISKAUDIODELAY", "0", 1);
        sdl.emplace(SDL_INIT_AUDIO);
        audio.emplace();
    }
    ~HeardMix() override {
        audio.reset();
        sdl.reset();
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        fs::remove(output);
    }

    static fs::path data(const std::string& name) { return defaultProgramFolder() / "data" / name; }
    std::uintmax_t written() const {
        std::error_code error;
        const auto size = fs::file_size(output, error);
        return error ? 0 : size;
    }
    // Waits until the mixer has written `seconds` more of sound, or `done` holds.
    void mixFor(
        double seconds, const std::function<bool()>& done = [] { return false; }) {
        const auto until = written() + static_cast<std::uintmax_t>(seconds * kBytesPerSecond);
        const auto giveUp = std::chrono::steady_clock::now() + 60s;
        while (written() < until && !done() && std::chrono::steady_clock::now() < giveUp)
            std::this_thread::sleep_for(100us);
    }
    // The mixed samples written between two byte offsets, full scale 1.
    std::vector<float> samples(std::uintmax_t from, std::uintmax_t to) const {
        std::ifstream in(output, std::ios::binary);
        from -= from % 4;
        in.seekg(static_cast<std::streamoff>(from));
        std::vector<std::int16_t> raw((to - from) / sizeof(std::int16_t));
        in.read(reinterpret_cast<char*>(raw.data()), static_cast<std::streamsize>(raw.size() * 2));
        raw.resize(static_cast<std::size_t>(in.gcount()) / sizeof(std::int16_t));
        std::vector<float> out(raw.begin(), raw.end());
        for (float& s : out) s /= 32768.0f;
        return out;
    }
    gen::Loudness heard(std::uintmax_t from, std::uintmax_t to) const {
        return gen::measureLoudness(samples(from, to), 2, kRate);
    }

    void playEffect(ChannelId id, const std::string& name) {
        audio->perform({Action::Open, id, "test.effect", "WaveAudio", data("zvuk/" + name)});
        audio->perform({Action::Start, id, "test.effect", "WaveAudio", {}});
    }
    void playFightMusic(const std::string& name, int times) {
        audio->playMusic({100, "boj.WindowsMediaPlayer1", data("hudba/" + name), 50, times});
    }
    // Effects that start together start in one block of the mixer.
    void together(const std::function<void()> start) {
        SDL_AudioDeviceID device = 1;
        while (device < 64 && SDL_GetAudioDeviceStatus(device) != SDL_AUDIO_PLAYING) ++device;
        SDL_LockAudioDevice(device);
        start();
        SDL_UnlockAudioDevice(device);
    }

    fs::path output;
    std::optional<testing::SdlSession> sdl;
    std::optional<SdlAudio> audio;
};

// The sounds are mixed back to back and measured afterwards: the disk driver goes on
// writing (silence) while a test looks, and a pause would make the file grow.
TEST_F(HeardMix, MusicAtOneLoudnessEffectsALittleAboveAndNoMomentClips) {
    ASSERT_TRUE(audio->deviceOpen());
    struct Take {
        std::string what;
        std::uintmax_t from, to;
    };
    std::vector<Take> music, effects;

    // The menu tune, synthesised from its MIDI file, once through.
    std::uintmax_t from = written();
    audio->perform({Action::Open, 1, "uvodni.MMControl4", "", data("hudba/mezi.mid")});
    audio->perform({Action::Start, 1, "uvodni.MMControl4", "", {}});
    mixFor(28.0);
    audio->perform({Action::Stop, 1, "uvodni.MMControl4", "", {}});
    music.push_back({"menu tune", from, written()});

    // Every fight loop through, at the fight's player volume.
    for (int track = 1; track <= 10; ++track) {
        char name[16];
        std::snprintf(name, sizeof name, "%02d.mp3", track);
        from = written();
        playFightMusic(name, 1);
        mixFor(60.0, [this] { return !audio->musicPlaying(); });
        music.push_back({name, from, written()});
    }

    // Every effect by itself.
    ChannelId id = 10;
    for (const auto& entry : fs::directory_iterator(data("zvuk"))) {
        from = written();
        playEffect(++id, entry.path().filename().string());
        mixFor(3.0, [this, id] { return !audio->isPlaying(id); });
        effects.push_back({entry.path().filename().string(), from, written()});
    }

    // The knock-outs over the fight music: a knocked-out left fighter's hit, its three
    // warnings and the restarted blow, then a right fighter's hit, warning and blow; then
    // the finishing sequence's cheer.
    const std::uintmax_t loudest = written();
    playFightMusic("01.mp3", 2);
    for (const auto& knockOut :
         {std::vector<std::string>{"N1.wav", "5.wav", "6.wav", "7.wav", "Y1.wav"},
          std::vector<std::string>{"N.wav", "N1.wav", "Y.wav"}}) {
        mixFor(1.0);
        together([&] {
            for (const std::string& name : knockOut) playEffect(++id, name);
        });
    }
    mixFor(1.5);
    playEffect(++id, "jo.wav");
    mixFor(1.0);
    const std::uintmax_t end = written();
    audio.reset();

    for (const Take& take : music)
        EXPECT_NEAR(heard(take.from, take.to).integrated, kMusicHeard, kTolerance) << take.what;
    for (const Take& take : effects) {
        const double moment = heard(take.from, take.to).loudestMoment;
        EXPECT_LE(moment, kEffectHeard + kTolerance) << take.what;
        EXPECT_GE(moment, kEffectHeard - kSpikyBelow) << take.what;
    }
    int clipped = 0;
    float peak = 0.0f;
    for (const float s : samples(0, end)) {
        peak = std::max(peak, std::abs(s));
        if (s >= 32767.0f / 32768.0f || s <= -1.0f) ++clipped;
    }
    EXPECT_EQ(clipped, 0) << "peak " << peak;
    std::printf(
        "heard: menu tune %.1f LUFS, knock-outs over music %.1f LUFS at their loudest "
        "moment, peak of everything %.2f\n",
        heard(music[0].from, music[0].to).integrated, heard(loudest, end).loudestMoment, peak);
}

}  // namespace
}  // namespace vk::sdl
