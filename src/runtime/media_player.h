// A media player control: given a file by its URL it plays that file by itself, a number
// of times through at a volume, without blocking the window thread.
#pragma once

#include <string>

#include "runtime/control.h"
#include "runtime/platform.h"

namespace vk {

// What a player is set to at design time.
struct PlayerSettings {
    bool autoStart = true;  // a new URL starts playing at once
    int playCount = 1;      // times through the file
    int volume = 100;       // percent
    double rate = 1;
    bool showsInterface = true;
    bool errorDialogs = true;
    std::string url{};  // design URL: kept, never played
};

class MediaPlayer : public Control {
  public:
    MediaPlayer(ControlSet& owner, std::string name, Design design = {},
                PlayerSettings settings = {});
    ~MediaPlayer() override;

    const PlayerSettings& settings() const { return settings_; }
    const std::string& url() const { return settings_.url; }
    // Replaces the track; with auto start on, the new file plays at once.
    void setUrl(std::string url);

    ChannelId id() const { return id_; }

    std::optional<std::string> property(std::string_view name) const override;
    bool setProperty(std::string_view name, std::string_view value) override;

  private:
    ChannelId id_;
    PlayerSettings settings_;
    bool started_ = false;
};

}  // namespace vk
