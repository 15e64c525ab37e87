#include "runtime/sdl/sdl_services.h"

#include <SDL_image.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <ctime>
#include <iostream>
#include <thread>

#include "runtime/sdl/message_window.h"
#include "runtime/sdl/sdl_handles.h"

extern char** environ;

namespace vk::sdl {

namespace {
std::uint64_t steadyMicros() {
    using namespace std::chrono;
    return static_cast<std::uint64_t>(
        duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count());
}
}  // namespace

SdlClock::SdlClock() : start_(steadyMicros()) {}

Micros SdlClock::now() const { return static_cast<Micros>(steadyMicros() - start_); }

double SdlClock::secondsSinceMidnight() const {
    using namespace std::chrono;
    const auto wall = system_clock::now();
    const std::time_t seconds = system_clock::to_time_t(wall);
    std::tm local{};
    localtime_r(&seconds, &local);
    const double fraction =
        static_cast<double>(duration_cast<microseconds>(wall.time_since_epoch()).count() %
                            1000000) /
        1e6;
    return local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec + fraction;
}

void SdlPacer::pace(Micros step) {
    Micros now = clock_.now();
    if (target_ < 0 || now - lastReturn_ > kHeldUp) target_ = now;
    target_ += step;
    if (present_ && frameDue(now)) {
        SDL_PumpEvents();  // keeps the window responsive; events stay queued
        present_();
        now = clock_.now();
        lastFrame_ = now;
    }
    const Micros wait = target_ - now;
    if (wait > 0) sleep_(wait);
    lastReturn_ = clock_.now();
}

void SdlPacer::sleepFor(Micros wait) {
    std::this_thread::sleep_for(std::chrono::microseconds(wait));
}

bool SdlPacer::frameDue(Micros now) const {
    const Micros sinceFrame = now - lastFrame_;
    if (sinceFrame < framePeriod_) return false;
    return now <= target_ || sinceFrame >= kLongestWithoutFrame;
}

MessageAnswer SdlMessageBox::show(const std::string& text, const std::string& title,
                                  MessageButtons buttons, MessageIcon icon) {
    if (icon == MessageIcon::Critical) {
        errorShown_ = true;
        std::cerr << title << ": " << text << "\n";
    }
    const auto answer =
        runMessageWindow({title, text, buttons, icon}, parent_ ? parent_() : nullptr, fonts_);
    if (answer) return *answer;
    if (icon != MessageIcon::Critical) std::cerr << title << ": " << text << "\n";
    // Closed without a button: as the first button (OK, or Abort).
    return buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::Abort;
}

void XdgLinkOpener::open(const std::string& target) {
    std::string program = program_;
    std::string argument = target;
    char* argv[] = {program.data(), argument.data(), nullptr};
    // The game's threads keep SIGTERM and SIGINT blocked for their watcher; the handler
    // must not inherit that, or it would outlive every attempt to end it.
    posix_spawnattr_t unblocked;
    posix_spawnattr_init(&unblocked);
    sigset_t none;
    sigemptyset(&none);
    posix_spawnattr_setsigmask(&unblocked, &none);
    posix_spawnattr_setflags(&unblocked, POSIX_SPAWN_SETSIGMASK);
    pid_t pid = 0;
    const int failed = posix_spawnp(&pid, program.c_str(), nullptr, &unblocked, argv, environ);
    posix_spawnattr_destroy(&unblocked);
    if (failed != 0) return;
    // The handler may take its time; a helper thread collects its exit so no zombie stays.
    std::thread([pid] { waitpid(pid, nullptr, 0); }).detach();
}

PictureData pictureFromSurface(SDL_Surface& surface) {
    SurfacePtr rgba(SDL_ConvertSurfaceFormat(&surface, SDL_PIXELFORMAT_RGBA8888, 0));
    if (!rgba) throw SdlError("Cannot convert a picture");
    PictureData data;
    data.width = rgba->w;
    data.height = rgba->h;
    data.rgba.resize(static_cast<std::size_t>(rgba->w) * static_cast<std::size_t>(rgba->h));
    SDL_LockSurface(rgba.get());
    for (int y = 0; y < rgba->h; ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(
            static_cast<const char*>(rgba->pixels) + static_cast<std::ptrdiff_t>(y) * rgba->pitch);
        std::copy(row, row + rgba->w, data.rgba.begin() + static_cast<std::ptrdiff_t>(y) * rgba->w);
    }
    SDL_UnlockSurface(rgba.get());
    return data;
}

std::optional<PictureData> SdlPictureDecoder::decode(const std::filesystem::path& file) {
    SDL_RWops* source = SDL_RWFromFile(file.c_str(), "rb");
    if (!source) return std::nullopt;
    SurfacePtr surface(IMG_Load_RW(source, 1));
    if (!surface) return std::nullopt;
    return pictureFromSurface(*surface);
}

}  // namespace vk::sdl
