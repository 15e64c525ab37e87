// Videos over SDL_image: an animated picture (the game's clip is an animated GIF) shown
// frame by frame at its own delays on the main loop's clock, inside its channel's area.
// No thread: the loop asks which frame is due and draws it over the screens.
#pragma once

#include <SDL_image.h>

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "runtime/platform.h"
#include "runtime/sdl/damaged_files.h"
#include "runtime/sdl/screen_renderer.h"
#include "runtime/sdl/sdl_handles.h"

namespace vk {
class Runtime;
}

namespace vk::sdl {

using AnimationPtr = std::unique_ptr<IMG_Animation, Deleter<IMG_FreeAnimation>>;

class SdlVideo : public VideoService {
  public:
    explicit SdlVideo(const Clock& clock) : clock_(clock) {}

    // "Open" reads the file (a file SDL_image cannot animate, or one too large to decode,
    // shows nothing and is reported once on standard error), a play
    // starts it from its first frame, "Close" takes it off the screen.
    void perform(const ChannelRequest& request, const Control* area) override;
    void release(ChannelId channel) override { slots_.erase(channel); }

    // What a playing video shows now; the clip runs round and round until it is closed.
    struct Frame {
        const Control* area;
        SDL_Surface* picture;
        int index;
        std::uint64_t key;  // one for each frame of each opening
    };
    std::vector<Frame> frames() const;
    // When a playing video next turns to another frame.
    std::optional<Micros> nextFrameDue() const;

  private:
    struct Slot {
        AnimationPtr clip;
        std::uint64_t opening = 0;
        const Control* area = nullptr;
        std::optional<Micros> startedAt;
    };
    // The playing slot's place in its clip: the frame and when the next one is due.
    struct Position {
        int index;
        std::optional<Micros> nextChange;  // none when every delay is 0: a still picture
    };
    std::optional<Position> positionOf(const Slot& slot) const;
    // The clip, or nullptr for a damaged file (reported once).
    IMG_Animation* loadClip(const std::filesystem::path& file);

    const Clock& clock_;
    std::map<ChannelId, Slot> slots_;
    std::uint64_t openings_ = 0;
    DamagedFiles damaged_;
};

// The frames to draw over the screens: those whose area is visible on the screen in front.
std::vector<ScreenRenderer::Overlay> overlaysOf(const Runtime& runtime,
                                                const std::vector<SdlVideo::Frame>& frames);

}  // namespace vk::sdl
