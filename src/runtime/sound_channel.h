// Sound channels: one multimedia control per sound, talking to the audio service.
#pragma once

#include <string>

#include "runtime/control.h"
#include "runtime/platform.h"

namespace vk {

// What a channel does with a command: "Open" opens its file, a play starts it only if it
// has not played since that Open, "Close" stops and closes. Letter case does not count.
class ChannelRules {
  public:
    enum class Effect { None, Open, Start, Stop };
    Effect apply(std::string_view command);
    bool isOpen() const { return state_ != State::Closed; }

  private:
    enum class State { Closed, Open, Played };
    State state_ = State::Closed;
};

class SoundChannel : public Control {
  public:
    SoundChannel(ControlSet& owner, std::string name, Design design = {},
                 std::optional<int> index = std::nullopt);
    SoundChannel(ControlSet& owner, std::string name, ControlKind, Design design,
                 std::optional<int> index)
        : SoundChannel(owner, std::move(name), std::move(design), index) {}
    ~SoundChannel() override;

    // The control's three blocking/notification options; the game sets them false and
    // every command returns at once whatever they hold.
    void setNotify(bool v) { notify_ = v; }
    void setWait(bool v) { wait_ = v; }
    void setShareable(bool v) { shareable_ = v; }
    // Sets all three to false, as every screen does before opening a channel.
    void clearOptions();

    const std::string& deviceType() const { return deviceType_; }
    void setDeviceType(std::string v) { deviceType_ = std::move(v); }
    const std::string& fileName() const { return fileName_; }
    void setFileName(std::string v) { fileName_ = std::move(v); }
    // Sends a command ("Open", "Play", "play", "Close", ...).
    void setCommand(const std::string& command);
    // Where a video appears; a picture control of the same screen.
    void setDisplayArea(const Control* area) { displayArea_ = area; }
    const Control* displayArea() const { return displayArea_; }

    ChannelId id() const { return id_; }

    std::optional<std::string> property(std::string_view name) const override;
    bool setProperty(std::string_view name, std::string_view value) override;

  private:
    ChannelId id_;
    bool notify_ = true, wait_ = true, shareable_ = true;
    std::string deviceType_, fileName_, lastCommand_;
    const Control* displayArea_ = nullptr;
    ChannelRules rules_;
    bool video_ = false;  // opened on the video service rather than the audio one
};

}  // namespace vk
