// The headless platform: a virtual clock, recorded sound, links and display changes,
// scripted message-box answers. Used by the tests and the script driver.
#pragma once

#include <deque>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "runtime/platform.h"

namespace vk {

class Runtime;

class VirtualClock : public Clock {
  public:
    Micros now() const override { return now_; }
    double secondsSinceMidnight() const override;
    // The clock never goes back.
    void set(Micros t);
    void advance(Micros step) { set(now_ + step); }
    // Wall-clock time of day at virtual time 0.
    void setStartOfDay(double seconds) { startOfDay_ = seconds; }

  private:
    Micros now_ = 0;
    double startOfDay_ = 12 * 3600.0;
};

class VirtualPacer : public Pacer {
  public:
    explicit VirtualPacer(VirtualClock& clock) : clock_(clock) {}
    void pace(Micros step) override {
        clock_.advance(step);
        ++paces_;
    }
    std::uint64_t paces() const { return paces_; }

  private:
    VirtualClock& clock_;
    std::uint64_t paces_ = 0;
};

// Input queued by tests and scripts, each event with the virtual time it arrives at; the
// runtime is handed the events whose time has come, in order of arrival.
class ScriptedInput : public InputSource {
  public:
    explicit ScriptedInput(const Clock& clock) : clock_(clock) {}
    // Arrives now: handed over at the next point where pending events run.
    void post(InputEvent event) { postAt(clock_.now(), event); }
    void postAt(Micros arrival, InputEvent event);
    std::optional<InputEvent> poll() override;
    // When the next queued event arrives.
    std::optional<Micros> nextArrival() const;

  private:
    struct Queued {
        Micros arrival;
        InputEvent event;
    };
    const Clock& clock_;
    std::deque<Queued> queue_;  // by arrival, then in the order posted
};

class RecordingAudio : public AudioService {
  public:
    void record(const ChannelCommand& command) override { commands_.push_back(command); }
    void perform(const ChannelRequest& request) override;
    void playMusic(const MusicRequest& request) override { music_.push_back(request); }
    void release(ChannelId channel) override { playing_.erase(channel); }

    const std::vector<ChannelCommand>& commands() const { return commands_; }
    std::vector<ChannelCommand> takeCommands() { return std::exchange(commands_, {}); }
    // Sounds that actually started, by owner, in order.
    const std::vector<std::string>& started() const { return started_; }
    const std::vector<MusicRequest>& music() const { return music_; }
    bool isPlaying(const std::string& owner) const;

  private:
    std::vector<ChannelCommand> commands_;
    std::vector<std::string> started_;
    std::vector<MusicRequest> music_;
    std::map<ChannelId, std::string> playing_;
};

// Videos as they would show: which file plays in which area, from "Play" to "Close".
class RecordingVideo : public VideoService {
  public:
    struct Playing {
        std::string owner;  // "screen.channel"
        std::filesystem::path file;
        std::string area;  // "screen.control", empty without an area
    };
    void perform(const ChannelRequest& request, const Control* area) override;
    void release(ChannelId channel) override { open_.erase(channel); }

    std::vector<Playing> playing() const;

  private:
    struct Open {
        Playing video;
        bool started = false;
    };
    std::map<ChannelId, Open> open_;
};

class MemorySettings : public SettingsStore {
  public:
    std::string get(const std::string& app, const std::string& section,
                    const std::string& key) const override;
    void set(const std::string& app, const std::string& section, const std::string& key,
             const std::string& value) override;
    void deleteSection(const std::string& app, const std::string& section) override;

  private:
    std::map<std::string, std::map<std::string, std::map<std::string, std::string>>> values_;
};

class HeadlessDisplay : public DisplayService {
  public:
    HeadlessDisplay(int width = 1024, int height = 768) : width_(width), height_(height) {}
    int widthPixels() const override { return width_; }
    int heightPixels() const override { return height_; }
    void changeMode(int width, int height) override;
    void setDesktop(int width, int height) { width_ = width, height_ = height; }
    const std::vector<std::pair<int, int>>& changes() const { return changes_; }

  private:
    int width_, height_;
    std::vector<std::pair<int, int>> changes_;
};

class RecordingLinks : public LinkOpener {
  public:
    void open(const std::string& target) override { opened_.push_back(target); }
    const std::vector<std::string>& opened() const { return opened_; }

  private:
    std::vector<std::string> opened_;
};

// Answers message boxes from a queue; without a scripted answer an abort/retry/ignore
// box answers Abort and an OK box answers OK.
class ScriptedMessageBox : public MessageBoxService {
  public:
    struct Shown {
        std::string text, title;
        MessageButtons buttons;
        MessageIcon icon;
        MessageAnswer answer;
    };
    MessageAnswer show(const std::string& text, const std::string& title, MessageButtons buttons,
                       MessageIcon icon) override;
    void queueAnswer(MessageAnswer answer) { answers_.push_back(answer); }
    const std::vector<Shown>& shown() const { return shown_; }

  private:
    std::deque<MessageAnswer> answers_;
    std::vector<Shown> shown_;
};

// Reads the size of PNG, GIF, BMP and JPEG pictures from their headers; pixels stay empty.
class HeaderPictureDecoder : public PictureDecoder {
  public:
    std::optional<PictureData> decode(const std::filesystem::path& file) override;
};

// All headless services together, with settings either in memory or in a file.
class HeadlessPlatform {
  public:
    explicit HeadlessPlatform(std::filesystem::path programFolder,
                              std::unique_ptr<SettingsStore> settings = nullptr,
                              std::filesystem::path dataFolder = {});
    ~HeadlessPlatform();

    Platform& platform() { return platform_; }
    VirtualClock clock;
    VirtualPacer pacer{clock};
    ScriptedInput input{clock};
    RecordingAudio audio;
    RecordingVideo video;
    HeadlessDisplay display;
    RecordingLinks links;
    ScriptedMessageBox messages;
    HeaderPictureDecoder pictures;
    SettingsStore& settings() { return *settings_; }

    // Runs the virtual clock forward, firing due timers and handing over queued input in
    // order of time.
    void advance(Runtime& runtime, Micros step);

  private:
    std::unique_ptr<SettingsStore> settings_;
    Platform platform_;
};

}  // namespace vk
