#include "runtime/media_player.h"

#include "runtime/control_set.h"
#include "runtime/runtime.h"
#include "runtime/screen.h"

namespace vk {

MediaPlayer::MediaPlayer(ControlSet& owner, std::string name, Design design,
                         PlayerSettings settings)
    : Control(owner, std::move(name), ControlKind::MediaPlayer, std::move(design)),
      id_(owner.runtime().newChannelId()),
      settings_(std::move(settings)) {}

MediaPlayer::~MediaPlayer() {
    // A discarded player falls silent with its screen.
    if (started_) runtime().platform().audio.release(id_);
}

void MediaPlayer::setUrl(std::string url) {
    settings_.url = std::move(url);
    if (!settings_.autoStart) return;
    MusicRequest request{id_, owner().screen().name() + "." + qualifiedName(),
                         runtime().files().resolve(settings_.url).value_or(std::filesystem::path{}),
                         settings_.volume, settings_.playCount};
    runtime().platform().audio.playMusic(request);
    started_ = true;
}

std::optional<std::string> MediaPlayer::property(std::string_view name) const {
    if (name == "URL") return settings_.url;
    if (name == "playCount") return textOf(settings_.playCount);
    if (name == "volume") return textOf(settings_.volume);
    if (name == "autoStart") return std::string(settings_.autoStart ? "True" : "False");
    return Control::property(name);
}

bool MediaPlayer::setProperty(std::string_view name, std::string_view value) {
    if (name == "URL") return setUrl(std::string(value)), true;
    return Control::setProperty(name, value);
}

}  // namespace vk
