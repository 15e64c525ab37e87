// The SDL platform's services and its event loop, on SDL's dummy video and audio drivers.
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <optional>
#include <thread>

#include "bytes.h"
#include "image.h"
#include "png_encoder.h"
#include "runtime/data_files.h"
#include "runtime/headless/headless_platform.h"
#include "runtime/runtime.h"
#include "runtime/sdl/cursors.h"
#include "runtime/sdl/sdl_app.h"
#include "runtime/sdl/sdl_display.h"
#include "runtime/sdl/sdl_services.h"
#include "runtime/timer.h"
#include "sdl/sdl_test_support.h"

namespace vk::sdl {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

fs::path scratchFolder() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    fs::path folder = fs::temp_directory_path() /
                      (std::string("vorkala-") + info->name() + "-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    return folder;
}

TEST(SdlDisplay, TheSwitchCoversTheDesktopAndSwitchingBackLeavesIt) {
    testing::SdlSession sdl(SDL_INIT_VIDEO);
    ASSERT_TRUE(sdl.ok());
    SdlDisplay display(false);
    const int desktopW = display.desktopWidth(), desktopH = display.desktopHeight();
    EXPECT_EQ(display.widthPixels(), desktopW);
    EXPECT_EQ(display.heightPixels(), desktopH);
    EXPECT_EQ(display.windowIfOpen(), nullptr);
    display.changeMode(800, 600);
    ASSERT_NE(display.windowIfOpen(), nullptr);
    EXPECT_TRUE(display.fullScreen());
    EXPECT_TRUE(SDL_GetWindowFlags(display.windowIfOpen()) & SDL_WINDOW_FULLSCREEN_DESKTOP);
    EXPECT_EQ(display.widthPixels(), 800);
    EXPECT_EQ(display.heightPixels(), 600);
    display.changeMode(desktopW, desktopH);
    EXPECT_FALSE(display.fullScreen());
    EXPECT_FALSE(SDL_GetWindowFlags(display.windowIfOpen()) & SDL_WINDOW_FULLSCREEN_DESKTOP);
    EXPECT_EQ(display.widthPixels(), desktopW);
}

TEST(SdlDisplay, AWindowedGameNeverGoesFullScreen) {
    testing::SdlSession sdl(SDL_INIT_VIDEO);
    SdlDisplay display(true);
    display.changeMode(800, 600);
    EXPECT_FALSE(display.fullScreen());
    int w = 0, h = 0;
    SDL_GetWindowSize(display.window(), &w, &h);
    EXPECT_EQ(w, 800);
    EXPECT_EQ(h, 600);
}

// The pacer on a virtual clock: its sleeps and the frames' drawing time move the clock, so
// the schedule is checked exactly and no test depends on how busy the machine is.
struct VirtualPacing {
    VirtualClock clock;
    Micros frameCost = 0;
    int frames = 0;
    SdlPacer pacer;

    explicit VirtualPacing(Micros framePeriod, Micros frameCost = 0)
        : frameCost(frameCost),
          pacer(clock, framePeriod, [this](Micros wait) { clock.advance(wait); }) {
        pacer.setFramePresenter([this] {
            ++frames;
            clock.advance(this->frameCost);
        });
    }
    // How long `steps` pacing points of `step` each take.
    Micros run(int steps, Micros step) {
        const Micros start = clock.now();
        for (int i = 0; i < steps; ++i) pacer.pace(step);
        return clock.now() - start;
    }
};

TEST(SdlPacer, KeepsTheStepAndShowsFramesAtTheirRate) {
    VirtualPacing paced(25 * kMicrosPerMilli);
    EXPECT_EQ(paced.run(20, 10 * kMicrosPerMilli), 200 * kMicrosPerMilli);
    // One a period, at the first step a period after the last: at 30, 60, ... 180 ms.
    EXPECT_EQ(paced.frames, 6);
}

// A frame that takes longer to draw than the frame period (a large screen drawn on the
// CPU) must not be drawn at every step: the loop would last as long as its frames.
TEST(SdlPacer, SlowFramesDoNotStretchTheLoop) {
    VirtualPacing paced(16 * kMicrosPerMilli, 30 * kMicrosPerMilli);
    const Micros took = paced.run(100, 2 * kMicrosPerMilli);
    EXPECT_LT(took, 240 * kMicrosPerMilli) << paced.frames << " frames";
    EXPECT_GE(paced.frames, 3);
}

TEST(SdlPacer, ALoopThatFellBehindDoesNotRaceToCatchUp) {
    VirtualPacing paced(1'000'000);
    paced.run(1, kMicrosPerMilli);
    paced.clock.advance(400 * kMicrosPerMilli);  // the loop's own work took long
    EXPECT_EQ(paced.run(10, 5 * kMicrosPerMilli), 50 * kMicrosPerMilli);
}

TEST(SdlClock, TimeOfDayMatchesTheLocalClock) {
    SdlClock clock;
    const std::time_t t = std::time(nullptr);
    std::tm local{};
    localtime_r(&t, &local);
    const double expected = local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec;
    EXPECT_NEAR(clock.secondsSinceMidnight(), expected, 2.0);
    const Micros a = clock.now();
    std::this_thread::sleep_for(20ms);
    EXPECT_GE(clock.now() - a, 20 * kMicrosPerMilli);
}

TEST(SdlPictureDecoder, ReadsPicturesByContentIntoRgba) {
    const fs::path folder = scratchFolder();
    gen::Canvas canvas(2, 1);
    canvas.set(0, 0, gen::rgba(255, 0, 0));
    canvas.set(1, 0, gen::rgba(0, 255, 0, 128));
    gen::writeFile(folder / "pose.old", gen::encodePng(canvas));
    std::ofstream(folder / "text.old") << "no picture here";
    SdlPictureDecoder decoder;
    auto picture = decoder.decode(folder / "pose.old");
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->width, 2);
    EXPECT_EQ(picture->height, 1);
    EXPECT_EQ(picture->rgba, (std::vector<std::uint32_t>{0xFF0000FF, 0x00FF0080}));
    EXPECT_FALSE(decoder.decode(folder / "text.old"));
    EXPECT_FALSE(decoder.decode(folder / "absent.old"));
    auto ok = decoder.decode(defaultProgramFolder() / "data/layout/ok.png");
    ASSERT_TRUE(ok);
    EXPECT_EQ(ok->width, 97);
    EXPECT_EQ(ok->height, 53);
    fs::remove_all(folder);
}

TEST(XdgLinkOpener, TheTargetIsOneArgumentAndNoShellRunsIt) {
    const fs::path folder = scratchFolder();
    // "touch" stands in for the desktop's handler: it creates the file its argument names.
    XdgLinkOpener opener("touch");
    const std::string target = (folder / "a b; touch injected").string();
    opener.open(target);
    const auto deadline = std::chrono::steady_clock::now() + 3s;
    while (!fs::exists(target) && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(10ms);
    EXPECT_TRUE(fs::exists(target));
    EXPECT_FALSE(fs::exists(folder / "injected"));
    EXPECT_FALSE(fs::exists("injected"));
    XdgLinkOpener("vorkala-no-such-program").open("https://www.vorkala.example/");
    fs::remove_all(folder);
}

// The process this one started as "sleep SECONDS", if it runs.
std::optional<pid_t> sleepingChild(const std::string& seconds) {
    for (const auto& entry : fs::directory_iterator("/proc")) {
        std::string cmdline;
        std::getline(std::ifstream(entry.path() / "cmdline"), cmdline);
        std::string stat;
        std::getline(std::ifstream(entry.path() / "stat"), stat);
        const auto afterName = stat.rfind(") ");
        if (cmdline != std::string("sleep\0", 6) + seconds + '\0' || afterName == std::string::npos)
            continue;
        if (std::stoi(stat.substr(afterName + 4)) == getpid())
            return std::stoi(entry.path().filename().string());
    }
    return std::nullopt;
}

TEST(XdgLinkOpener, TheHandlerEndsWhenToldEvenWhileTheGameBlocksTheSignals) {
    // "sleep" stands in for the handler, started while SIGTERM and SIGINT are blocked.
    sigset_t ending;
    sigemptyset(&ending);
    sigaddset(&ending, SIGTERM);
    sigaddset(&ending, SIGINT);
    sigset_t before;
    pthread_sigmask(SIG_BLOCK, &ending, &before);
    const std::string seconds = "37." + std::to_string(getpid() % 1000);
    XdgLinkOpener("sleep").open(seconds);
    pthread_sigmask(SIG_SETMASK, &before, nullptr);
    std::optional<pid_t> handler;
    const auto deadline = std::chrono::steady_clock::now() + 5s;
    while (!(handler = sleepingChild(seconds)) && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(10ms);
    ASSERT_TRUE(handler.has_value()) << "the handler did not start";
    kill(*handler, SIGTERM);
    const auto ended = std::chrono::steady_clock::now() + 3s;
    while (sleepingChild(seconds) && std::chrono::steady_clock::now() < ended)
        std::this_thread::sleep_for(10ms);
    const bool stillThere = sleepingChild(seconds).has_value();
    if (stillThere) kill(*handler, SIGKILL);
    EXPECT_FALSE(stillThere) << "the handler ignored SIGTERM";
}

TEST(Cursors, HotSpotIsTheTopmostOpaquePixel) {
    PictureData hand{4, 3, std::vector<std::uint32_t>(12, 0)};
    hand.rgba[1 * 4 + 2] = 0xFFFFFFFF;
    hand.rgba[2 * 4 + 0] = 0xFFFFFFFF;
    hand.rgba[0 * 4 + 3] = 0xFFFFFF40;  // faint: not where it points
    const SDL_Point hot = cursorHotSpot(hand);
    EXPECT_EQ(hot.x, 2);
    EXPECT_EQ(hot.y, 1);
    const SDL_Point none = cursorHotSpot({2, 2, std::vector<std::uint32_t>(4, 0)});
    EXPECT_EQ(none.x, 0);
    EXPECT_EQ(none.y, 0);
}

// The event loop with a real window on the dummy driver.
class EventLoopTest : public ::testing::Test {
  protected:
    EventLoopTest()
        : app({.windowed = true}, settings, scratchFolder()),
          runtime(app.platform()),
          screen(runtime, "loop", "Loop") {}

    static void push(Uint32 type, int x, int y) {
        SDL_Event e{};
        e.type = type;
        e.button.type = type;
        e.button.button = SDL_BUTTON_LEFT;
        e.button.x = x;
        e.button.y = y;
        SDL_PushEvent(&e);
    }

    MemorySettings settings;
    SdlApp app;
    Runtime runtime;
    testing::FreeScreen screen;
};

TEST_F(EventLoopTest, TimersTickWithoutBusyWaitingAndTheLoopEndsWithTheProgram) {
    int ticks = 0;
    screen.ui().tick.onTimer = [&] {
        if (++ticks == 30) runtime.endProgram();
    };
    const auto wallStart = std::chrono::steady_clock::now();
    const std::clock_t cpuStart = std::clock();
    const int status = app.run(runtime, [&] {
        screen.show();
        runtime.platform().display.changeMode(800, 600);
        screen.ui().tick.setInterval(1);
    });
    const double wall =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart).count();
    const double cpu = static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;
    EXPECT_EQ(status, 0);
    EXPECT_EQ(ticks, 30);
    // A 1 ms timer ticks at the runtime's 16 ms resolution, and the loop sleeps between.
    EXPECT_GE(wall, 0.4);
    EXPECT_LT(cpu, wall * 0.5);
}

TEST_F(EventLoopTest, ClicksReachTheControlUnderThePointer) {
    int okClicks = 0, otherClicks = 0;
    Control& ok = screen.ui().add("OK", ControlKind::Image,
                                  {.left = 4920, .top = 7200, .width = 1455, .height = 795});
    Control& other = screen.ui().add("Other", ControlKind::Image,
                                     {.left = 0, .top = 0, .width = 1455, .height = 795});
    ok.onClick = [&] {
        ++okClicks;
        runtime.endProgram();
    };
    other.onClick = [&] { ++otherClicks; };
    const int status = app.run(runtime, [&] {
        screen.show();
        runtime.platform().display.changeMode(800, 600);
        push(SDL_MOUSEBUTTONDOWN, 330, 500);
        push(SDL_MOUSEBUTTONUP, 330, 500);
    });
    EXPECT_EQ(status, 0);
    EXPECT_EQ(okClicks, 1);
    EXPECT_EQ(otherClicks, 0);
}

TEST_F(EventLoopTest, ClosingTheWindowEndsTheGame) {
    const int status = app.run(runtime, [&] {
        screen.show();
        SDL_Event quit{};
        quit.type = SDL_QUIT;
        SDL_PushEvent(&quit);
    });
    EXPECT_EQ(status, 0);
    EXPECT_TRUE(runtime.ended());
}

// A screen that logs its keys; `onKeyDown` may act on them.
class KeyedScreen : public testing::FreeScreen {
  public:
    KeyedScreen(Runtime& runtime, const std::string& name, std::vector<std::string>& log)
        : FreeScreen(runtime, name, name), log_(log) {}
    std::function<void(int)> onKeyDown;
    std::function<void(char)> onKeyPress;

    void Form_KeyDown(int code, int) override {
        note("down " + std::to_string(code));
        if (onKeyDown) onKeyDown(code);
    }
    void Form_KeyPress(char key) override {
        note(std::string("types ") + key);
        if (onKeyPress) onKeyPress(key);
    }

  private:
    void note(const std::string& what) {
        log_.push_back(name() + " " + what + " depth " + std::to_string(runtime().nesting()));
    }
    std::vector<std::string>& log_;
};

void pushKeyDown(SDL_Keycode symbol, SDL_Scancode place, const char* text) {
    SDL_Event e{};
    e.type = SDL_KEYDOWN;
    e.key.type = SDL_KEYDOWN;
    e.key.keysym.sym = symbol;
    e.key.keysym.scancode = place;
    SDL_PushEvent(&e);
    if (!text) return;
    SDL_Event typed{};
    typed.type = SDL_TEXTINPUT;
    std::strcpy(typed.text.text, text);
    SDL_PushEvent(&typed);
}

TEST_F(EventLoopTest, AKeyAndTheCharacterItTypesGoToOneScreen) {
    std::vector<std::string> log;
    KeyedScreen back(runtime, "back", log), front(runtime, "front", log);
    // Any key closes the front screen; a character of its own ends the game.
    front.onKeyDown = [&](int) { front.unload(); };
    back.onKeyPress = [&](char key) {
        if (key == 'z') runtime.endProgram();
    };
    const int status = app.run(runtime, [&] {
        back.show();
        front.show();
        pushKeyDown(SDLK_e, SDL_SCANCODE_E, "e");
        pushKeyDown(SDLK_PERIOD, SDL_SCANCODE_PERIOD, ".");
        SDL_Event typed{};
        typed.type = SDL_TEXTINPUT;
        std::strcpy(typed.text.text, "z");
        SDL_PushEvent(&typed);
    });
    EXPECT_EQ(status, 0);
    EXPECT_EQ(log, (std::vector<std::string>{"front down 69 depth 1", "back down 190 depth 1",
                                             "back types . depth 1", "back types z depth 1"}));
}

TEST_F(EventLoopTest, InputArrivesWherePendingEventsRunNotWhereALoopPaces) {
    std::vector<std::string> log;
    KeyedScreen keyed(runtime, "keyed", log);
    keyed.ui().tick.onTimer = [&] {
        keyed.ui().tick.setInterval(0);
        pushKeyDown(SDLK_a, SDL_SCANCODE_A, nullptr);
        SDL_Event quit{};
        quit.type = SDL_QUIT;
        SDL_PushEvent(&quit);
        for (int step = 0; step < 20; ++step) runtime.pace(kMicrosPerMilli);
        log.push_back("paced");
        runtime.doEvents();
        log.push_back("timer done");
    };
    const int status = app.run(runtime, [&] {
        keyed.show();
        keyed.ui().tick.setInterval(1);
    });
    EXPECT_EQ(status, 0);
    // The window's close request, read on the way, ends the game once the timer is done.
    EXPECT_TRUE(runtime.ended());
    EXPECT_EQ(log, (std::vector<std::string>{"paced", "keyed down 65 depth 2", "timer done"}));
}

}  // namespace
}  // namespace vk::sdl
