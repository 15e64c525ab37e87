#include "runtime/headless/headless_platform.h"

#include <algorithm>
#include <fstream>

#include "runtime/control.h"
#include "runtime/control_set.h"
#include "runtime/picture_header.h"
#include "runtime/runtime.h"
#include "runtime/screen.h"

namespace vk {

namespace fs = std::filesystem;

double VirtualClock::secondsSinceMidnight() const {
    return startOfDay_ + static_cast<double>(now_) / 1e6;
}

void VirtualClock::set(Micros t) {
    if (t > now_) now_ = t;
}

void ScriptedInput::postAt(Micros arrival, InputEvent event) {
    auto later = std::find_if(queue_.begin(), queue_.end(),
                              [arrival](const Queued& q) { return q.arrival > arrival; });
    queue_.insert(later, Queued{arrival, event});
}

std::optional<InputEvent> ScriptedInput::poll() {
    if (queue_.empty() || queue_.front().arrival > clock_.now()) return std::nullopt;
    InputEvent event = queue_.front().event;
    queue_.pop_front();
    return event;
}

std::optional<Micros> ScriptedInput::nextArrival() const {
    if (queue_.empty()) return std::nullopt;
    return queue_.front().arrival;
}

void RecordingAudio::perform(const ChannelRequest& request) {
    switch (request.action) {
        case ChannelRequest::Action::Open:
            break;
        case ChannelRequest::Action::Start:
            started_.push_back(request.owner);
            playing_[request.channel] = request.owner;
            break;
        case ChannelRequest::Action::Stop:
            playing_.erase(request.channel);
            break;
    }
}

bool RecordingAudio::isPlaying(const std::string& owner) const {
    for (const auto& [id, who] : playing_)
        if (who == owner) return true;
    return false;
}

void RecordingVideo::perform(const ChannelRequest& request, const Control* area) {
    switch (request.action) {
        case ChannelRequest::Action::Open:
            open_[request.channel] = {{request.owner, request.file, {}}};
            break;
        case ChannelRequest::Action::Start:
            if (auto found = open_.find(request.channel); found != open_.end()) {
                if (area)
                    found->second.video.area =
                        area->owner().screen().name() + "." + area->qualifiedName();
                found->second.started = true;
            }
            break;
        case ChannelRequest::Action::Stop:
            open_.erase(request.channel);
            break;
    }
}

std::vector<RecordingVideo::Playing> RecordingVideo::playing() const {
    std::vector<Playing> out;
    for (const auto& [id, video] : open_)
        if (video.started) out.push_back(video.video);
    return out;
}

std::string MemorySettings::get(const std::string& app, const std::string& section,
                                const std::string& key) const {
    auto a = values_.find(app);
    if (a == values_.end()) return {};
    auto s = a->second.find(section);
    if (s == a->second.end()) return {};
    auto k = s->second.find(key);
    return k == s->second.end() ? std::string{} : k->second;
}

void MemorySettings::set(const std::string& app, const std::string& section, const std::string& key,
                         const std::string& value) {
    values_[app][section][key] = value;
}

void MemorySettings::deleteSection(const std::string& app, const std::string& section) {
    auto a = values_.find(app);
    if (a != values_.end()) a->second.erase(section);
}

void HeadlessDisplay::changeMode(int width, int height) {
    changes_.emplace_back(width, height);
    width_ = width;
    height_ = height;
}

MessageAnswer ScriptedMessageBox::show(const std::string& text, const std::string& title,
                                       MessageButtons buttons, MessageIcon icon) {
    MessageAnswer answer = buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::Abort;
    if (!answers_.empty()) {
        answer = answers_.front();
        answers_.pop_front();
    }
    shown_.push_back({text, title, buttons, icon, answer});
    return answer;
}

std::optional<PictureData> HeaderPictureDecoder::decode(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    const ReadBytes read = [&in](unsigned char* into, std::size_t count) {
        in.read(reinterpret_cast<char*>(into), static_cast<std::streamsize>(count));
        return static_cast<std::size_t>(in.gcount());
    };
    const auto header = readPictureHeader(read, false);
    if (!header) return std::nullopt;
    return PictureData{static_cast<int>(header->width), static_cast<int>(header->height), {}};
}

HeadlessPlatform::HeadlessPlatform(fs::path programFolder, std::unique_ptr<SettingsStore> settings,
                                   fs::path dataFolder)
    : settings_(settings ? std::move(settings) : std::make_unique<MemorySettings>()),
      platform_{clock,
                pacer,
                input,
                audio,
                video,
                *settings_,
                display,
                links,
                messages,
                pictures,
                std::move(programFolder),
                std::move(dataFolder)} {}

HeadlessPlatform::~HeadlessPlatform() = default;

void HeadlessPlatform::advance(Runtime& runtime, Micros step) {
    const Micros target = clock.now() + step;
    const auto setClock = [this](Micros t) { clock.set(t); };
    // Stops at each queued input's arrival on the way, so it is handed over at its time.
    while (!runtime.ended()) {
        const auto arrival = input.nextArrival();
        if (!arrival || *arrival > target) break;
        runtime.runUntil(std::max(*arrival, clock.now()), setClock);
    }
    runtime.runUntil(target, setClock);
}

}  // namespace vk
