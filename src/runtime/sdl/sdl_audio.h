// Sound output over SDL_mixer. Every sound channel of the game plays on a mixer channel of
// its own, so sounds overlap; the menu music and the fight music use the mixer's music
// stream. No call waits for a sound.
#pragma once

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "runtime/platform.h"
#include "runtime/sdl/damaged_files.h"
#include "runtime/sdl/sdl_handles.h"

namespace vk::sdl {

// Which instruments SDL_mixer's MIDI players get, and whether FluidSynth stands aside.
struct MidiInstruments {
    std::string timidityConfig;  // empty: SDL_mixer's own choice
    std::string soundFont;       // empty: SDL_mixer's own choice
    // TiMidity with freepats plays the menu tune for a fraction of FluidSynth's CPU
    // (FluidSynth runs reverb and chorus on every block, even between notes), so it plays
    // MIDI whenever freepats is there and the user has chosen no soundfont.
    bool disableFluidSynth = false;
};

// The instruments Debian installs (freepats for TiMidity, a General MIDI soundfont for
// FluidSynth), unless the user's environment chose others. `variable` reads the
// environment, `exists` tells whether a file is there.
MidiInstruments chooseMidiInstruments(const std::function<const char*(const char*)>& variable,
                                      const std::function<bool(const std::string&)>& exists);

// Hands the choice for this machine to SDL_mixer; before Mix_Init.
void configureMidiInstruments();

class SdlAudio : public AudioService {
  public:
    // Opens the audio device; without one the game runs silent.
    SdlAudio();
    ~SdlAudio() override;
    SdlAudio(const SdlAudio&) = delete;
    SdlAudio& operator=(const SdlAudio&) = delete;

    void record(const ChannelCommand&) override {}
    void perform(const ChannelRequest& request) override;
    void playMusic(const MusicRequest& request) override;
    void release(ChannelId channel) override;

    bool deviceOpen() const { return open_; }

    // What a channel holds, for tests and diagnostics.
    enum class Holding { Nothing, Wave, Music };
    Holding holding(ChannelId channel) const;
    bool isPlaying(ChannelId channel) const;
    std::optional<int> mixerChannel(ChannelId channel) const;
    bool musicPlaying() const;
    // Mixer channels still sounding for channels whose control is gone.
    std::size_t draining() const { return draining_.size(); }

  private:
    struct Slot {
        int mixerChannel = -1;
        std::shared_ptr<Mix_Chunk> wave;
        std::shared_ptr<Mix_Music> music;
    };
    struct Drain {
        int mixerChannel;
        std::shared_ptr<Mix_Chunk> wave;
    };

    void open(Slot& slot, const std::filesystem::path& file);
    void start(ChannelId id, Slot& slot);
    void stop(ChannelId id, Slot& slot);
    int freeMixerChannel();
    void collectDrained();
    std::shared_ptr<Mix_Chunk> loadWave(const std::filesystem::path& file);
    std::shared_ptr<Mix_Music> loadMusic(const std::filesystem::path& file);
    void playOnMusicStream(ChannelId owner, const std::shared_ptr<Mix_Music>& music, int times,
                           int volumePercent);

    bool open_ = false;
    std::map<ChannelId, Slot> slots_;
    std::vector<Drain> draining_;
    // Decoded sounds by file: replaying a click must not read the disk again.
    std::map<std::filesystem::path, std::shared_ptr<Mix_Chunk>> waves_;
    std::map<std::filesystem::path, std::shared_ptr<Mix_Music>> tracks_;
    DamagedFiles damaged_;
    // The channel or player whose track the music stream plays, if any.
    std::optional<ChannelId> musicOwner_;
    std::shared_ptr<Mix_Music> musicPlaying_;
    int mixerChannels_ = 0;
};

}  // namespace vk::sdl
