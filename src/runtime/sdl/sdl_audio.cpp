#include "runtime/sdl/sdl_audio.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <fstream>
#include <iostream>

namespace vk::sdl {

namespace fs = std::filesystem;

namespace {
constexpr const char* kFreepats = "/etc/timidity/freepats.cfg";
constexpr const char* kDisableFluidSynth = "SDL_MIXER_DISABLE_FLUIDSYNTH";
}  // namespace

MidiInstruments chooseMidiInstruments(const std::function<const char*(const char*)>& variable,
                                      const std::function<bool(const std::string&)>& exists) {
    MidiInstruments chosen;
    // Another TiMidity configuration may be TiMidity++'s, whose soundfont lines SDL_mixer's
    // player cannot read: only freepats, or the user's own choice, takes over from
    // FluidSynth.
    bool timidityReady = variable("TIMIDITY_CFG") != nullptr;
    if (!timidityReady) {
        for (const char* cfg : {kFreepats, "/etc/timidity/timidity.cfg", "/etc/timidity.cfg"}) {
            if (exists(cfg)) {
                chosen.timidityConfig = cfg;
                timidityReady = chosen.timidityConfig == kFreepats;
                break;
            }
        }
    }
    const bool userFont = variable("SDL_SOUNDFONTS") != nullptr;
    if (!userFont) {
        for (const char* font :
             {"/usr/share/sounds/sf2/default-GM.sf2", "/usr/share/sounds/sf2/FluidR3_GM.sf2",
              "/usr/share/sounds/sf2/TimGM6mb.sf2"}) {
            if (exists(font)) {
                chosen.soundFont = font;
                break;
            }
        }
    }
    chosen.disableFluidSynth = timidityReady && !userFont && !variable(kDisableFluidSynth);
    return chosen;
}

void configureMidiInstruments() {
    const MidiInstruments chosen =
        chooseMidiInstruments([](const char* name) { return std::getenv(name); },
                              [](const std::string& file) { return fs::exists(file); });
    if (!chosen.timidityConfig.empty()) Mix_SetTimidityCfg(chosen.timidityConfig.c_str());
    if (!chosen.soundFont.empty()) Mix_SetSoundFonts(chosen.soundFont.c_str());
    if (chosen.disableFluidSynth) SDL_SetHint(kDisableFluidSynth, "1");
}

namespace {

constexpr int kFirstChannels = 16;

// The mixer's headroom. The mixer adds its channels and clips what passes full scale, and
// at a knock-out a hit, its warnings and a blow start together over the fight music; at
// these gains the loudest such moment stays below full scale. Effects then sound a
// little above the music (both come at one loudness in their files).
constexpr int kEffectVolume = MIX_MAX_VOLUME * 2 / 5;
constexpr int kMusicVolume = MIX_MAX_VOLUME * 9 / 16;

// Standard MIDI files start with "MThd"; everything else goes to the sample decoders,
// which recognise their formats by content too.
bool isMidi(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::array<char, 4> magic{};
    in.read(magic.data(), magic.size());
    return in.gcount() == 4 && std::string_view(magic.data(), 4) == "MThd";
}

int musicVolume(int percent) { return std::clamp(percent, 0, 100) * kMusicVolume / 100; }

// Channels come at full volume from the mixer, also those allocated later.
int allocateMixerChannels(int count) {
    const int allocated = Mix_AllocateChannels(count);
    Mix_Volume(-1, kEffectVolume);
    return allocated;
}

}  // namespace

SdlAudio::SdlAudio() {
    configureMidiInstruments();
    Mix_Init(MIX_INIT_MID | MIX_INIT_MP3 | MIX_INIT_OGG);
    if (Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 1024) != 0) {
        std::cerr << "Vorkala: no sound (" << Mix_GetError() << ")\n";
        return;
    }
    open_ = true;
    mixerChannels_ = allocateMixerChannels(kFirstChannels);
}

SdlAudio::~SdlAudio() {
    if (!open_) return;
    Mix_HaltMusic();
    Mix_HaltChannel(-1);
    slots_.clear();
    draining_.clear();
    musicPlaying_.reset();
    waves_.clear();
    tracks_.clear();
    Mix_CloseAudio();
    Mix_Quit();
}

void SdlAudio::perform(const ChannelRequest& request) {
    if (!open_) return;
    collectDrained();
    Slot& slot = slots_[request.channel];
    switch (request.action) {
        case ChannelRequest::Action::Open:
            open(slot, request.file);
            break;
        case ChannelRequest::Action::Start:
            start(request.channel, slot);
            break;
        case ChannelRequest::Action::Stop:
            stop(request.channel, slot);
            slots_.erase(request.channel);
            break;
    }
}

void SdlAudio::open(Slot& slot, const fs::path& file) {
    slot.wave.reset();
    slot.music.reset();
    // A channel whose file is missing or unreadable stays silent.
    if (file.empty() || !fs::is_regular_file(file)) return;
    if (isMidi(file))
        slot.music = loadMusic(file);
    else
        slot.wave = loadWave(file);
}

void SdlAudio::start(ChannelId id, Slot& slot) {
    if (slot.wave) {
        if (slot.mixerChannel < 0) slot.mixerChannel = freeMixerChannel();
        Mix_PlayChannel(slot.mixerChannel, slot.wave.get(), 0);
    } else if (slot.music) {
        playOnMusicStream(id, slot.music, 1, 100);
    }
}

void SdlAudio::stop(ChannelId id, Slot& slot) {
    if (slot.mixerChannel >= 0) Mix_HaltChannel(slot.mixerChannel);
    if (musicOwner_ == id) {
        Mix_HaltMusic();
        musicOwner_.reset();
        musicPlaying_.reset();
    }
}

void SdlAudio::release(ChannelId channel) {
    if (!open_) return;
    auto found = slots_.find(channel);
    if (found == slots_.end()) return;
    Slot& slot = found->second;
    // A wave plays to its end after its screen is gone (the click of a closing button);
    // music belongs to its screen and stops with it.
    if (slot.wave && slot.mixerChannel >= 0 && Mix_Playing(slot.mixerChannel))
        draining_.push_back({slot.mixerChannel, slot.wave});
    slot.mixerChannel = -1;
    stop(channel, slot);
    slots_.erase(found);
}

void SdlAudio::playMusic(const MusicRequest& request) {
    if (!open_) return;
    if (request.file.empty()) {
        if (musicOwner_ == request.player) {
            Mix_HaltMusic();
            musicOwner_.reset();
            musicPlaying_.reset();
        }
        return;
    }
    if (!fs::is_regular_file(request.file)) return;
    if (auto music = loadMusic(request.file))
        playOnMusicStream(request.player, music, request.playCount, request.volumePercent);
}

void SdlAudio::playOnMusicStream(ChannelId owner, const std::shared_ptr<Mix_Music>& music,
                                 int times, int volumePercent) {
    Mix_VolumeMusic(musicVolume(volumePercent));
    if (Mix_PlayMusic(music.get(), std::max(times, 1)) != 0) return;
    musicOwner_ = owner;
    musicPlaying_ = music;
}

int SdlAudio::freeMixerChannel() {
    collectDrained();
    std::vector<bool> used(static_cast<std::size_t>(mixerChannels_), false);
    for (const auto& [id, slot] : slots_)
        if (slot.mixerChannel >= 0) used[static_cast<std::size_t>(slot.mixerChannel)] = true;
    for (const Drain& d : draining_) used[static_cast<std::size_t>(d.mixerChannel)] = true;
    for (int i = 0; i < mixerChannels_; ++i)
        if (!used[static_cast<std::size_t>(i)]) return i;
    const int next = mixerChannels_;
    mixerChannels_ = allocateMixerChannels(mixerChannels_ * 2);
    return next;
}

void SdlAudio::collectDrained() {
    std::erase_if(draining_, [](const Drain& d) { return !Mix_Playing(d.mixerChannel); });
}

namespace {

Mix_Chunk* decodeWave(const fs::path& file) {
    // The file is closed here, also when the mixer gives up on its content.
    SDL_RWops* source = SDL_RWFromFile(file.c_str(), "rb");
    Mix_Chunk* chunk = source ? Mix_LoadWAV_RW(source, SDL_FALSE) : nullptr;
    if (source) SDL_RWclose(source);
    return chunk;
}

Mix_Music* decodeMusic(const fs::path& file) {
    // By content: the music loader would trust a ".wav" or ".mid" name.
    SDL_RWops* source = SDL_RWFromFile(file.c_str(), "rb");
    if (!source) return nullptr;
    return isMidi(file) ? Mix_LoadMUSType_RW(source, MUS_MID, SDL_TRUE)
                        : Mix_LoadMUS_RW(source, SDL_TRUE);
}

// `file` decoded, from `cache` after the first time. A file that does not decode is told
// as a damaged `what` and not read again.
template <typename Decoded>
std::shared_ptr<Decoded> decodedOnce(std::map<fs::path, std::shared_ptr<Decoded>>& cache,
                                     DamagedFiles& damaged, const fs::path& file, const char* what,
                                     Decoded* (*decode)(const fs::path&),
                                     void (*release)(Decoded*)) {
    if (damaged.known(file)) return nullptr;
    if (const auto found = cache.find(file); found != cache.end()) return found->second;
    Decoded* decoded = decode(file);
    if (!decoded) {
        damaged.report(file, what, Mix_GetError());
        return nullptr;
    }
    return cache.emplace(file, std::shared_ptr<Decoded>(decoded, release)).first->second;
}

}  // namespace

std::shared_ptr<Mix_Chunk> SdlAudio::loadWave(const fs::path& file) {
    return decodedOnce(waves_, damaged_, file, "sound", decodeWave, Mix_FreeChunk);
}

std::shared_ptr<Mix_Music> SdlAudio::loadMusic(const fs::path& file) {
    return decodedOnce(tracks_, damaged_, file, "tune", decodeMusic, Mix_FreeMusic);
}

SdlAudio::Holding SdlAudio::holding(ChannelId channel) const {
    auto found = slots_.find(channel);
    if (found == slots_.end()) return Holding::Nothing;
    if (found->second.wave) return Holding::Wave;
    if (found->second.music) return Holding::Music;
    return Holding::Nothing;
}

bool SdlAudio::isPlaying(ChannelId channel) const {
    if (!open_) return false;
    if (musicOwner_ == channel) return Mix_PlayingMusic() != 0;
    auto found = slots_.find(channel);
    if (found == slots_.end() || found->second.mixerChannel < 0) return false;
    return Mix_Playing(found->second.mixerChannel) != 0;
}

std::optional<int> SdlAudio::mixerChannel(ChannelId channel) const {
    auto found = slots_.find(channel);
    if (found == slots_.end() || found->second.mixerChannel < 0) return std::nullopt;
    return found->second.mixerChannel;
}

bool SdlAudio::musicPlaying() const { return open_ && Mix_PlayingMusic() != 0; }

}  // namespace vk::sdl
