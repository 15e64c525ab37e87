// The real platform's small services: time, pacing, message boxes, links and pictures.
#pragma once

#include <SDL.h>

#include <functional>
#include <string>
#include <vector>

#include "runtime/platform.h"
#include "runtime/sdl/fonts.h"

namespace vk::sdl {

// Monotonic microseconds since the program started, and the local time of day.
class SdlClock : public Clock {
  public:
    SdlClock();
    Micros now() const override;
    double secondsSinceMidnight() const override;

  private:
    std::uint64_t start_;
};

// Blocking loops keep their fixed step in real time and still show what they draw: each
// pacing point sleeps until its step is over, and presents a frame when one is due. Input
// that arrives meanwhile stays in SDL's queue for the next point where events run. A frame
// is drawn a frame period after the last one was done, and only while the loop keeps to
// its schedule: the steps after a slow frame catch up without sleeping, so however long a
// frame takes to draw, the loop lasts the time its steps add up to.
class SdlPacer : public Pacer {
  public:
    // Waits by `sleep` (the thread's sleep unless a test moves a clock of its own).
    using Sleep = std::function<void(Micros)>;
    SdlPacer(const Clock& clock, Micros framePeriod, Sleep sleep = sleepFor)
        : clock_(clock), framePeriod_(framePeriod), sleep_(std::move(sleep)) {}
    void setFramePresenter(std::function<void()> present) { present_ = std::move(present); }
    void setFramePeriod(Micros period) { framePeriod_ = period; }
    void pace(Micros step) override;

  private:
    // A pacing point this long after the last one returned belongs to a new loop, or to
    // one that a long handler held up: it counts from now instead of racing to catch up.
    static constexpr Micros kHeldUp = 100 * kMicrosPerMilli;
    // A loop whose own steps take longer than its pace never keeps its schedule; it still
    // shows a frame this often.
    static constexpr Micros kLongestWithoutFrame = 100 * kMicrosPerMilli;

    bool frameDue(Micros now) const;
    static void sleepFor(Micros wait);

    const Clock& clock_;
    Micros framePeriod_;
    Sleep sleep_;
    std::function<void()> present_;
    Micros target_ = -1;
    Micros lastFrame_ = 0;
    Micros lastReturn_ = 0;
};

// The game's own message box (message_window.h), over the game's window when there is
// one. Error boxes also go to standard error, so a failure is never silent where no box
// can be shown.
class SdlMessageBox : public MessageBoxService {
  public:
    // The window a box belongs to, looked up when it is shown (it may come and go).
    void setParent(std::function<SDL_Window*()> window) { parent_ = std::move(window); }
    MessageAnswer show(const std::string& text, const std::string& title, MessageButtons buttons,
                       MessageIcon icon) override;
    // Whether an error box was shown: the game then ended on an error.
    bool errorShown() const { return errorShown_; }

  private:
    std::function<SDL_Window*()> parent_;
    FontBook fonts_;
    bool errorShown_ = false;
};

// Opens links with the desktop's handler. The target is one argument of xdg-open and no
// shell is involved, so no target can run a command. Failures are ignored.
class XdgLinkOpener : public LinkOpener {
  public:
    explicit XdgLinkOpener(std::string program = "xdg-open") : program_(std::move(program)) {}
    void open(const std::string& target) override;

  private:
    std::string program_;
};

// Decodes any picture SDL_image reads, choosing the format by the file's content.
class SdlPictureDecoder : public PictureDecoder {
  public:
    std::optional<PictureData> decode(const std::filesystem::path& file) override;
};

// The surface's pixels as the runtime keeps them (0xRRGGBBAA).
PictureData pictureFromSurface(SDL_Surface& surface);

}  // namespace vk::sdl
