#include "runtime/sound_channel.h"

#include <algorithm>
#include <cctype>

#include "runtime/control_set.h"
#include "runtime/runtime.h"
#include "runtime/screen.h"

namespace vk {

namespace {
std::string lowercase(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return out;
}
}  // namespace

ChannelRules::Effect ChannelRules::apply(std::string_view command) {
    const std::string c = lowercase(command);
    if (c == "open") {
        if (state_ != State::Closed) return Effect::None;
        state_ = State::Open;
        return Effect::Open;
    }
    if (c == "play") {
        if (state_ != State::Open) return Effect::None;
        state_ = State::Played;
        return Effect::Start;
    }
    if (c == "close" || c == "stop") {
        if (state_ == State::Closed) return Effect::None;
        state_ = State::Closed;
        return Effect::Stop;
    }
    return Effect::None;
}

SoundChannel::SoundChannel(ControlSet& owner, std::string name, Design design,
                           std::optional<int> index)
    : Control(owner, std::move(name), ControlKind::SoundChannel, std::move(design), index),
      id_(owner.runtime().newChannelId()) {}

SoundChannel::~SoundChannel() {
    if (!rules_.isOpen()) return;
    Platform& platform = runtime().platform();
    if (video_)
        platform.video.release(id_);
    else
        platform.audio.release(id_);
}

void SoundChannel::clearOptions() { notify_ = wait_ = shareable_ = false; }

void SoundChannel::setCommand(const std::string& command) {
    lastCommand_ = command;
    const std::string owner = this->owner().screen().name() + "." + qualifiedName();
    AudioService& audio = runtime().platform().audio;
    audio.record({owner, deviceType_, fileName_, command});
    const ChannelRules::Effect effect = rules_.apply(command);
    if (effect == ChannelRules::Effect::None) return;
    ChannelRequest request{ChannelRequest::Action::Open, id_, owner, deviceType_, {}};
    switch (effect) {
        case ChannelRules::Effect::Open:
            request.file = runtime().files().resolve(fileName_).value_or(std::filesystem::path{});
            video_ = lowercase(deviceType_) == "avivideo";
            break;
        case ChannelRules::Effect::Start:
            request.action = ChannelRequest::Action::Start;
            break;
        default:
            request.action = ChannelRequest::Action::Stop;
            break;
    }
    if (video_)
        runtime().platform().video.perform(request, displayArea_);
    else
        audio.perform(request);
}

std::optional<std::string> SoundChannel::property(std::string_view name) const {
    if (name == "DeviceType") return deviceType_;
    if (name == "FileName") return fileName_;
    if (name == "Command") return lastCommand_;
    return Control::property(name);
}

bool SoundChannel::setProperty(std::string_view name, std::string_view value) {
    if (name == "DeviceType") return setDeviceType(std::string(value)), true;
    if (name == "FileName") return setFileName(std::string(value)), true;
    if (name == "Command") return setCommand(std::string(value)), true;
    return Control::setProperty(name, value);
}

}  // namespace vk
