#include "runtime/sdl/sdl_app.h"

#include <SDL_image.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>

#include "runtime/runtime.h"
#include "runtime/screen.h"
#include "runtime/sdl/canvas_view.h"
#include "runtime/sdl/cursors.h"
#include "runtime/sdl/input.h"
#include "runtime/sdl/screen_renderer.h"
#include "runtime/sdl/sdl_audio.h"
#include "runtime/sdl/sdl_display.h"
#include "runtime/sdl/sdl_services.h"

namespace vk::sdl {

namespace fs = std::filesystem;

bool windowRequested(int argc, char** argv) {
    for (int i = 1; i < argc; ++i)
        if (std::string_view(argv[i]) == "--window") return true;
    const char* env = std::getenv("VORKALA_WINDOW");
    return env && std::string_view(env) == "1";
}

namespace {

// SDL and its libraries, started for the game's whole run. Sound is optional.
struct Libraries {
    Libraries() {
        if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) throw SdlError("Cannot start SDL");
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

// Whether an accelerated renderer really draws on the CPU: Mesa's software rasterisers
// (a machine or virtual display without a GPU) run OpenGL at a high cost, where SDL's own
// software renderer draws the same frames for a fraction of it.
bool drawsOnTheCpu(SDL_Renderer* renderer) {
    SDL_RendererInfo info{};
    if (SDL_GetRendererInfo(renderer, &info) != 0 || !info.name) return false;
    if (std::string_view(info.name).substr(0, 6) != "opengl") return false;
    using GetString = const unsigned char* (*)(unsigned int);
    constexpr unsigned int kGlRenderer = 0x1F01;
    const auto getString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
    const unsigned char* text = getString ? getString(kGlRenderer) : nullptr;
    if (!text) return false;
    const std::string_view name(reinterpret_cast<const char*>(text));
    for (const char* software : {"llvmpipe", "softpipe", "swrast", "Software Rasterizer"})
        if (name.find(software) != std::string_view::npos) return true;
    return false;
}

// The window's renderer and the canvas the screens are drawn on, scaled into the window.
class FrameOutput {
  public:
    explicit FrameOutput(SDL_Window* window) {
        renderer_.reset(
            SDL_CreateRenderer(window, -1, SDL_RENDERER_ACCELERATED | SDL_RENDERER_TARGETTEXTURE));
        // A renderer chosen by the player (SDL_RENDER_DRIVER) is kept as it is.
        if (renderer_ && !std::getenv("SDL_RENDER_DRIVER") && drawsOnTheCpu(renderer_.get())) {
            renderer_.reset();
            // The window's own frame buffer would go through the same OpenGL otherwise.
            SDL_SetHintWithPriority(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0", SDL_HINT_DEFAULT);
        }
        if (!renderer_) renderer_.reset(SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE));
        if (!renderer_) throw SdlError("Cannot draw in the game's window");
        canvas_.reset(SDL_CreateTexture(renderer_.get(), SDL_PIXELFORMAT_RGBA8888,
                                        SDL_TEXTUREACCESS_TARGET, kCanvasWidth, kCanvasHeight));
        if (!canvas_) throw SdlError("Cannot create the game's canvas");
        SDL_SetTextureScaleMode(canvas_.get(), SDL_ScaleModeLinear);
        screens_.emplace(renderer_.get());
    }

    void present(const Runtime& runtime) {
        SDL_Renderer* r = renderer_.get();
        SDL_SetRenderTarget(r, canvas_.get());
        screens_->draw(runtime);
        SDL_SetRenderTarget(r, nullptr);
        SDL_SetRenderDrawColor(r, 0, 0, 0, 255);
        SDL_RenderClear(r);
        int w = 0, h = 0;
        SDL_GetRendererOutputSize(r, &w, &h);
        const ViewRect view = letterbox(w, h);
        const SDL_Rect dest{view.x, view.y, view.w, view.h};
        SDL_RenderCopy(r, canvas_.get(), nullptr, &dest);
        SDL_RenderPresent(r);
    }

  private:
    RendererPtr renderer_;
    TexturePtr canvas_;
    std::optional<ScreenRenderer> screens_;  // holds textures of renderer_: goes first
};

}  // namespace

struct SdlApp::Impl {
    Impl(SdlOptions options, SettingsStore& settings, fs::path programFolder)
        : display(options.windowed), platform{clock,    pacer,    audio,
                                              settings, display,  links,
                                              messages, pictures, std::move(programFolder),
                                              {}} {
        messages.setParent([this] { return display.windowIfOpen(); });
    }

    int run(Runtime& runtime, const std::function<void()>& start);
    void loop(Runtime& runtime);
    int waitMilliseconds(const Runtime& runtime) const;
    void handle(Runtime& runtime, const SDL_Event& event);
    void presentFrame(const Runtime& runtime);
    void presentIfChanged(const Runtime& runtime);
    void showCaption(const Runtime& runtime);
    void reportFirstFrame();

    Libraries libraries;
    SdlClock clock;
    SdlPacer pacer{clock, 1'000'000 / 60};
    SdlAudio audio;
    SdlDisplay display;
    XdgLinkOpener links;
    SdlMessageBox messages;
    SdlPictureDecoder pictures;
    Platform platform;

    std::optional<FrameOutput> output;
    InputTranslator input;
    CursorBook cursors;
    std::optional<TwipsPoint> pointer;
    Micros framePeriod = 1'000'000 / 60;
    Micros lastFrame = -1'000'000;
    std::uint64_t shownChanges = 0;
    bool frameForced = true;
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
        output.emplace(display.window());
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
        SDL_Event event;
        const int wait = waitMilliseconds(runtime);
        const bool got = wait > 0 ? SDL_WaitEventTimeout(&event, wait) : SDL_PollEvent(&event);
        if (got) {
            handle(runtime, event);
            while (SDL_PollEvent(&event)) handle(runtime, event);
        }
        runtime.dispatchPending();
        if (runtime.ended()) break;
        if (pointer) cursors.update(runtime, pointer->x, pointer->y);
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
    if (frameForced || runtime.changeCount() != shownChanges)
        wake = std::min(wake, lastFrame + framePeriod);
    if (wake <= now) return 0;
    return static_cast<int>((wake - now + kMicrosPerMilli - 1) / kMicrosPerMilli);
}

void SdlApp::Impl::handle(Runtime& runtime, const SDL_Event& event) {
    if (event.type == SDL_QUIT) {
        runtime.runTopLevel([&runtime] { runtime.endProgram(); });
        return;
    }
    if (event.type == SDL_WINDOWEVENT) {
        frameForced = true;
        return;
    }
    int w = kCanvasWidth, h = kCanvasHeight;
    if (SDL_Window* window = display.windowIfOpen()) SDL_GetWindowSize(window, &w, &h);
    if (event.type == SDL_MOUSEMOTION)
        pointer = windowToTwips(event.motion.x, event.motion.y, w, h);
    for (InputEvent& e : input.translate(event, w, h)) runtime.post(std::move(e));
}

void SdlApp::Impl::presentIfChanged(const Runtime& runtime) {
    const bool changed = frameForced || runtime.changeCount() != shownChanges;
    if (changed && clock.now() - lastFrame >= framePeriod) presentFrame(runtime);
}

void SdlApp::Impl::presentFrame(const Runtime& runtime) {
    shownChanges = runtime.changeCount();
    lastFrame = clock.now();
    frameForced = false;
    showCaption(runtime);
    output->present(runtime);
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
