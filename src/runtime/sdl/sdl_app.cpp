#include "runtime/sdl/sdl_app.h"

#include <SDL_image.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

#include "runtime/runtime.h"
#include "runtime/screen.h"
#include "runtime/sdl/canvas_view.h"
#include "runtime/sdl/cursors.h"
#include "runtime/sdl/frame_output.h"
#include "runtime/sdl/input.h"
#include "runtime/sdl/renderer_probe.h"
#include "runtime/sdl/sdl_audio.h"
#include "runtime/sdl/sdl_display.h"
#include "runtime/sdl/sdl_services.h"
#include "runtime/sdl/sdl_video.h"
#include "runtime/sdl/video_driver.h"
#include "runtime/sdl/x11_errors.h"
#include "runtime/sdl/x_server_hold.h"

namespace vk::sdl {

namespace fs = std::filesystem;

bool windowRequested(int argc, char** argv) {
    for (int i = 1; i < argc; ++i)
        if (std::string_view(argv[i]) == "--window") return true;
    const char* env = std::getenv("VORKALA_WINDOW");
    return env && std::string_view(env) == "1";
}

namespace {

// Starts SDL's video on a driver that shows the game, or says why there is none.
void startVideo(const XServerHold& xServer) {
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0)
        throw std::runtime_error(
            noDisplayMessage(xServer.reached(),
                             std::string("SDL started no video driver (") + SDL_GetError() + ")"));
    const char* driver = SDL_GetCurrentVideoDriver();
    if (videoDriverShowsGame(driver ? driver : "")) return;
    const std::string failure = std::string("SDL fell back to its \"") + (driver ? driver : "") +
                                "\" video driver, which shows nothing";
    SDL_Quit();
    throw std::runtime_error(noDisplayMessage(xServer.reached(), failure));
}

// SDL and its libraries, started for the game's whole run. Sound is optional.
struct Libraries {
    explicit Libraries(const XServerHold& xServer) {
        // SIGTERM and SIGINT are the game's own (EndOnSignal): SDL would turn them into a
        // quit event, which nothing reads while a message box is up.
        SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
        tolerateEventsToClosedWindows();
        startVideo(xServer);
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
            SDL_Log("Vorkala: no sound device (%s)", SDL_GetError());
        if (TTF_Init() != 0) throw SdlError("Cannot start the font library");
        IMG_Init(IMG_INIT_PNG);
        SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
    }
    ~Libraries() {
        IMG_Quit();
        TTF_Quit();
        SDL_Quit();
    }
    Libraries(const Libraries&) = delete;
    Libraries& operator=(const Libraries&) = delete;
};

Micros framePeriodOf(SDL_Window* window) {
    SDL_DisplayMode mode{};
    const int display = window ? SDL_GetWindowDisplayIndex(window) : 0;
    int hz = 60;
    if (SDL_GetCurrentDisplayMode(std::max(display, 0), &mode) == 0 && mode.refresh_rate > 0)
        hz = mode.refresh_rate;
    return 1'000'000 / hz;
}

}  // namespace

struct SdlApp::Impl {
    Impl(SdlOptions options, SettingsStore& settings, fs::path programFolder)
        : display(options.windowed),
          platform{clock,
                   pacer,
                   input,
                   audio,
                   video,
                   settings,
                   display,
                   links,
                   messages,
                   pictures,
                   std::move(programFolder),
                   {}} {
        messages.setParent([this] { return display.windowIfOpen(); });
    }

    int run(Runtime& runtime, const std::function<void()>& start);
    void loop(Runtime& runtime);
    int waitMilliseconds(const Runtime& runtime) const;
    std::pair<int, int> windowSize() const;
    void presentFrame(const Runtime& runtime);
    bool frameChanged(const Runtime& runtime) const;
    void presentIfChanged(const Runtime& runtime);
    void showCaption(const Runtime& runtime);
    void reportFirstFrame();

    XServerHold xServer;                               // until the window is up
    RendererProbe rendererProbe{xServer.offersGpu()};  // before SDL starts here
    Libraries libraries{xServer};
    SdlClock clock;
    SdlPacer pacer{clock, 1'000'000 / 60};
    SdlInput input{clock, [this] { return windowSize(); }};
    SdlAudio audio;
    SdlVideo video{clock};
    SdlDisplay display;
    XdgLinkOpener links;
    SdlMessageBox messages;
    SdlPictureDecoder pictures;
    Platform platform;

    std::unique_ptr<FrameOutput> output;
    CursorBook cursors;
    Micros framePeriod = 1'000'000 / 60;
    Micros lastFrame = -1'000'000;
    std::uint64_t shownChanges = 0;
    bool frameForced = true;
    bool wholeWindow = true;  // exposed, resized or the renderer reset: show all of it
    bool firstFrameShown = false;
    const Screen* captionOf = nullptr;
};

SdlApp::SdlApp(SdlOptions options, SettingsStore& settings, fs::path programFolder)
    : impl_(std::make_unique<Impl>(options, settings, std::move(programFolder))) {}

SdlApp::~SdlApp() = default;

Platform& SdlApp::platform() { return impl_->platform; }

int SdlApp::run(Runtime& runtime, const std::function<void()>& start) {
    return impl_->run(runtime, start);
}

int SdlApp::Impl::run(Runtime& runtime, const std::function<void()>& start) {
    pacer.setFramePresenter([this, &runtime] {
        if (output) presentFrame(runtime);
    });
    start();
    if (!runtime.ended()) {
        output = openFrameOutput(display.window(), rendererProbe);
        xServer.release();
        framePeriod = framePeriodOf(display.windowIfOpen());
        pacer.setFramePeriod(framePeriod);
        SDL_StartTextInput();
        loop(runtime);
    }
    pacer.setFramePresenter({});
    output.reset();
    return messages.errorShown() ? 1 : 0;
}

void SdlApp::Impl::loop(Runtime& runtime) {
    while (!runtime.ended()) {
        // Waits without taking the event: the runtime takes input from SDL's queue.
        if (const int wait = waitMilliseconds(runtime); wait > 0)
            SDL_WaitEventTimeout(nullptr, wait);
        runtime.dispatchPending();
        if (input.quitRequested()) runtime.runTopLevel([&runtime] { runtime.endProgram(); });
        if (runtime.ended()) break;
        if (input.takeWindowChange()) frameForced = wholeWindow = true;
        cursors.update(runtime, input.pointer());
        presentIfChanged(runtime);
    }
}

// Sleeps until the next timer is due or a changed picture may be shown, whichever is
// first; input wakes the loop earlier.
int SdlApp::Impl::waitMilliseconds(const Runtime& runtime) const {
    constexpr Micros kLongest = 500 * kMicrosPerMilli;
    const Micros now = clock.now();
    Micros wake = now + kLongest;
    if (auto due = runtime.nextTimerDue()) wake = std::min(wake, *due);
    if (auto due = video.nextFrameDue()) wake = std::min(wake, *due);
    if (frameChanged(runtime)) wake = std::min(wake, lastFrame + framePeriod);
    if (wake <= now) return 0;
    return static_cast<int>((wake - now + kMicrosPerMilli - 1) / kMicrosPerMilli);
}

std::pair<int, int> SdlApp::Impl::windowSize() const {
    int w = kCanvasWidth, h = kCanvasHeight;
    if (SDL_Window* window = display.windowIfOpen()) SDL_GetWindowSize(window, &w, &h);
    return {w, h};
}

bool SdlApp::Impl::frameChanged(const Runtime& runtime) const {
    return frameForced || runtime.changeCount() != shownChanges ||
           (output && output->screens().overlays() != overlaysOf(runtime, video.frames()));
}

void SdlApp::Impl::presentIfChanged(const Runtime& runtime) {
    if (frameChanged(runtime) && clock.now() - lastFrame >= framePeriod) presentFrame(runtime);
}

void SdlApp::Impl::presentFrame(const Runtime& runtime) {
    shownChanges = runtime.changeCount();
    lastFrame = clock.now();
    frameForced = false;
    showCaption(runtime);
    // A blocking loop presents frames too: an expose met on the way shows all of it.
    if (input.takeWindowChange()) wholeWindow = true;
    // The screen in front may have changed inside a handler that the loop has not left.
    cursors.update(runtime, input.pointer());
    output->screens().setOverlays(overlaysOf(runtime, video.frames()));
    output->present(runtime, std::exchange(wholeWindow, false));
    if (!firstFrameShown) reportFirstFrame();
}

// With VORKALA_REPORT_FIRST_FRAME set, the moment the first frame was presented goes to
// standard error on the system's monotonic clock, for measuring the start-up time.
void SdlApp::Impl::reportFirstFrame() {
    firstFrameShown = true;
    if (!std::getenv("VORKALA_REPORT_FIRST_FRAME")) return;
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    std::fprintf(stderr, "vorkala: first frame presented at %lld us\n",
                 static_cast<long long>(now.tv_sec) * 1'000'000 + now.tv_nsec / 1000);
}

// In a window the title bar names the screen in front, as the game's windows did.
void SdlApp::Impl::showCaption(const Runtime& runtime) {
    const Screen* front = runtime.activeScreen();
    SDL_Window* window = display.windowIfOpen();
    if (front == captionOf || !window || !front) return;
    captionOf = front;
    SDL_SetWindowTitle(window, front->caption().c_str());
}

}  // namespace vk::sdl
