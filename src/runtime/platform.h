// The platform services the screen runtime stands on. Each is a narrow interface with a
// headless implementation (tests, scripted runs) and a real one (the SDL window).
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "runtime/input_source.h"

namespace vk {

class Control;

using Micros = std::int64_t;  // time in microseconds
constexpr Micros kMicrosPerMilli = 1000;

class Clock {
  public:
    virtual ~Clock() = default;
    // Monotonic time.
    virtual Micros now() const = 0;
    // Wall-clock seconds since midnight; the random generator reseeds from it.
    virtual double secondsSinceMidnight() const = 0;
};

// Blocking loops call the pacing point once per step: the clock moves on by the step,
// nothing is dispatched. The real platform repaints here when a frame is due.
class Pacer {
  public:
    virtual ~Pacer() = default;
    virtual void pace(Micros step) = 0;
};

using ChannelId = std::uint64_t;

// What a sound channel asks of the audio service after it has applied the channel rules.
struct ChannelRequest {
    enum class Action { Open, Start, Stop };
    Action action;
    ChannelId channel;
    std::string owner;           // "screen.control", for records and diagnostics
    std::string deviceType;      // "WaveAudio", "AVIVideo" or empty (chosen by the file)
    std::filesystem::path file;  // resolved file, empty when none was found
};

// One command as the game sent it to a channel, kept for tests and the script driver.
struct ChannelCommand {
    std::string owner;
    std::string deviceType;
    std::string fileName;  // as the game set it
    std::string command;   // as the game spelled it
};

// The fight music player: one file played by itself a number of times at a volume.
struct MusicRequest {
    ChannelId player;
    std::string owner;
    std::filesystem::path file;
    int volumePercent = 100;
    int playCount = 1;
};

class AudioService {
  public:
    virtual ~AudioService() = default;
    // Every command the game sends, before the channel rules are applied.
    virtual void record(const ChannelCommand& command) = 0;
    // Effects of commands that the channel rules let through. Never blocks.
    virtual void perform(const ChannelRequest& request) = 0;
    // Starts (or, with an empty file, stops) a media player's track.
    virtual void playMusic(const MusicRequest& request) = 0;
    // The channel's control has been discarded: stop and free what it holds.
    virtual void release(ChannelId channel) = 0;
};

// Videos, played by the channels of device type "AVIVideo" inside a picture area of their
// screen. Playback follows the platform's clock; nothing blocks.
class VideoService {
  public:
    virtual ~VideoService() = default;
    // Effects of commands that the channel rules let through. `area` is where the video
    // shows: a control of the channel's own screen, which lives as long as the channel.
    virtual void perform(const ChannelRequest& request, const Control* area) = 0;
    // The channel's control has been discarded: stop and free what it holds.
    virtual void release(ChannelId channel) = 0;
};

// Text values by application title, section and key.
class SettingsStore {
  public:
    virtual ~SettingsStore() = default;
    // A missing key reads as the empty text.
    virtual std::string get(const std::string& app, const std::string& section,
                            const std::string& key) const = 0;
    virtual void set(const std::string& app, const std::string& section, const std::string& key,
                     const std::string& value) = 0;
    virtual void deleteSection(const std::string& app, const std::string& section) = 0;
    // Whether the key held a value that could not be read (a damaged entry); it reads as
    // the empty text like a missing key, but a caller may prefer a default for it.
    virtual bool damaged(const std::string& /*app*/, const std::string& /*section*/,
                         const std::string& /*key*/) const {
        return false;
    }
    // While saves are held, writes are gathered; releasing the last hold saves them at once
    // (the runtime holds them for each outermost handler).
    virtual void holdSaves() {}
    virtual void releaseSaves() {}
    // What the player should be told about damaged saved progress, each thing once; empty
    // when there is nothing new.
    virtual std::string takeNotice() { return {}; }
};

class DisplayService {
  public:
    virtual ~DisplayService() = default;
    // The current display size in pixels.
    virtual int widthPixels() const = 0;
    virtual int heightPixels() const = 0;
    // Switches the display (or what stands for it) to a pixel size.
    virtual void changeMode(int width, int height) = 0;
};

class LinkOpener {
  public:
    virtual ~LinkOpener() = default;
    virtual void open(const std::string& target) = 0;
};

enum class MessageButtons { Ok, AbortRetryIgnore };
enum class MessageIcon { None, Exclamation, Critical };
enum class MessageAnswer { Ok, Abort, Retry, Ignore };

// Message boxes. Text and title are UTF-8 whatever the locale; the box wraps the text to
// fit the game's 800 x 600 picture, so a message can put one fact after another and leave
// the line breaks to the box.
class MessageBoxService {
  public:
    virtual ~MessageBoxService() = default;
    virtual MessageAnswer show(const std::string& text, const std::string& title,
                               MessageButtons buttons, MessageIcon icon) = 0;
};

// Decoded picture data; pixels may be left empty by a decoder that only needs sizes.
struct PictureData {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> rgba;  // row-major, 0xRRGGBBAA
};

class PictureDecoder {
  public:
    virtual ~PictureDecoder() = default;
    // nullopt when the file is not a picture this decoder can read.
    virtual std::optional<PictureData> decode(const std::filesystem::path& file) = 0;
};

// Everything the runtime needs from the platform, owned elsewhere.
struct Platform {
    Clock& clock;
    Pacer& pacer;
    InputSource& input;
    AudioService& audio;
    VideoService& video;
    SettingsStore& settings;
    DisplayService& display;
    LinkOpener& links;
    MessageBoxService& messages;
    PictureDecoder& pictureDecoder;
    std::filesystem::path programFolder;
    std::filesystem::path dataFolder;  // empty: the program folder's "data"
};

}  // namespace vk
