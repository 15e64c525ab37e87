#include "runtime/sdl/sdl_video.h"

#include <algorithm>

#include "runtime/control.h"
#include "runtime/control_set.h"
#include "runtime/picture_header.h"
#include "runtime/runtime.h"
#include "runtime/screen.h"

namespace vk::sdl {

void SdlVideo::perform(const ChannelRequest& request, const Control* area) {
    switch (request.action) {
        case ChannelRequest::Action::Open: {
            Slot& slot = slots_[request.channel];
            slot.clip.reset(request.file.empty() ? nullptr : loadClip(request.file));
            slot.opening = ++openings_;
            slot.startedAt.reset();
            break;
        }
        case ChannelRequest::Action::Start:
            if (auto found = slots_.find(request.channel); found != slots_.end()) {
                found->second.area = area;
                found->second.startedAt = clock_.now();
            }
            break;
        case ChannelRequest::Action::Stop:
            slots_.erase(request.channel);
            break;
    }
}

IMG_Animation* SdlVideo::loadClip(const std::filesystem::path& file) {
    if (damaged_.known(file)) return nullptr;
    // The header is checked first: the decoder allocates every frame the header claims.
    using Verdict = PictureCheck::Verdict;
    const PictureCheck check = checkPictureFile(file, true);
    if (check.verdict != Verdict::Ok) {
        damaged_.report(file, "video",
                        check.verdict == Verdict::NotAPicture ? "it holds no clip the game can play"
                        : check.verdict == Verdict::TooLarge  ? "it is " + check.reason
                                                              : check.reason);
        return nullptr;
    }
    IMG_Animation* clip = IMG_LoadAnimation(file.c_str());
    if (!clip) damaged_.report(file, "video", IMG_GetError());
    return clip;
}

std::optional<SdlVideo::Position> SdlVideo::positionOf(const Slot& slot) const {
    const IMG_Animation* clip = slot.clip.get();
    if (!clip || clip->count <= 0 || !slot.startedAt) return std::nullopt;
    Micros length = 0;
    for (int i = 0; i < clip->count; ++i) length += std::max(clip->delays[i], 0) * kMicrosPerMilli;
    const Micros now = clock_.now();
    if (length == 0) return Position{0, std::nullopt};  // a still picture
    const Micros into = (now - *slot.startedAt) % length;
    Micros frameEnd = 0;
    for (int i = 0; i < clip->count; ++i) {
        frameEnd += std::max(clip->delays[i], 0) * kMicrosPerMilli;
        if (into < frameEnd) return Position{i, now + (frameEnd - into)};
    }
    return Position{clip->count - 1, now + (length - into)};
}

std::vector<SdlVideo::Frame> SdlVideo::frames() const {
    std::vector<Frame> out;
    for (const auto& [id, slot] : slots_)
        if (const auto at = positionOf(slot))
            out.push_back({slot.area, slot.clip->frames[at->index], at->index,
                           (slot.opening << 20) + static_cast<std::uint64_t>(at->index)});
    return out;
}

std::optional<Micros> SdlVideo::nextFrameDue() const {
    std::optional<Micros> due;
    for (const auto& [id, slot] : slots_)
        if (const auto at = positionOf(slot); at && at->nextChange)
            due = std::min(due.value_or(*at->nextChange), *at->nextChange);
    return due;
}

namespace {

// The area is on the screen in front, and that screen's current controls hold it.
bool showsInFront(const Runtime& runtime, const Control& area) {
    const ControlSet& controls = area.owner();
    const Screen& screen = controls.screen();
    const std::vector<Screen*> shown = runtime.visibleScreens();
    return area.visible() && screen.controlsIfLoaded() == &controls && !shown.empty() &&
           shown.back() == &screen;
}

}  // namespace

std::vector<ScreenRenderer::Overlay> overlaysOf(const Runtime& runtime,
                                                const std::vector<SdlVideo::Frame>& frames) {
    std::vector<ScreenRenderer::Overlay> out;
    for (const SdlVideo::Frame& frame : frames)
        if (frame.area && showsInFront(runtime, *frame.area))
            out.push_back({pixelRect(*frame.area), frame.picture, frame.key});
    return out;
}

}  // namespace vk::sdl
