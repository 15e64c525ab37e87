// Shared pieces of the screen runtime's tests: a headless runtime in a scratch program
// folder, a screen whose event routines each test supplies, and an event log.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

#include "runtime/control.h"
#include "runtime/control_set.h"
#include "runtime/end_on_signal.h"
#include "runtime/headless/headless_platform.h"
#include "runtime/runtime.h"
#include "runtime/screen.h"
#include "runtime/settings_json.h"
#include "runtime/timer.h"

namespace vk::rttest {

// A scratch folder of its own, removed with everything in it afterwards.
class TempFolder {
  public:
    TempFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "vorkala-rt-XXXXXX");
        if (!mkdtemp(pattern.data())) ADD_FAILURE() << "cannot create a scratch folder";
        path_ = pattern;
    }
    ~TempFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path path_;
};

// Writes a file, creating its folders.
inline void writeFile(const std::filesystem::path& file, const std::vector<std::uint8_t>& bytes) {
    std::filesystem::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

inline void putBigEndian32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<std::uint8_t>(v >> shift));
}

inline void putLittleEndian32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<std::uint8_t>(v >> shift));
}

// The start of a PNG file up to its header chunk: enough for a reader of sizes.
inline std::vector<std::uint8_t> pngHeader(std::uint32_t width, std::uint32_t height) {
    std::vector<std::uint8_t> out{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    putBigEndian32(out, 13);
    out.insert(out.end(), {'I', 'H', 'D', 'R'});
    putBigEndian32(out, width);
    putBigEndian32(out, height);
    out.insert(out.end(), {8, 6, 0, 0, 0});
    putBigEndian32(out, 0);  // checksum, not checked by a reader of sizes
    return out;
}

// A BMP file header and info header (no pixels).
inline std::vector<std::uint8_t> bmpHeader(std::uint32_t width, std::uint32_t height) {
    std::vector<std::uint8_t> out{'B', 'M'};
    putLittleEndian32(out, 54);
    putLittleEndian32(out, 0);
    putLittleEndian32(out, 54);
    putLittleEndian32(out, 40);
    putLittleEndian32(out, width);
    putLittleEndian32(out, height);
    out.insert(out.end(), {1, 0, 24, 0});
    out.resize(54, 0);
    return out;
}

inline void putLittleEndian16(std::vector<std::uint8_t>& out, unsigned v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

// A GIF whose logical screen is `width` x `height`, with `frames` images of `frameWidth` x
// `frameHeight`, each a few bytes of data: its pixels are never decoded here.
inline std::vector<std::uint8_t> gifHeader(unsigned width, unsigned height, int frames,
                                           unsigned frameWidth, unsigned frameHeight) {
    std::vector<std::uint8_t> out{'G', 'I', 'F', '8', '9', 'a'};
    putLittleEndian16(out, width);
    putLittleEndian16(out, height);
    out.insert(out.end(), {0x80, 0, 0, 0, 0, 0, 255, 255, 255});  // two global colours
    for (int i = 0; i < frames; ++i) {
        out.insert(out.end(), {0x21, 0xF9, 4, 0, 10, 0, 0, 0});  // a frame delay
        out.insert(out.end(), {0x2C, 0, 0, 0, 0});
        putLittleEndian16(out, frameWidth);
        putLittleEndian16(out, frameHeight);
        out.insert(out.end(), {0, 2, 2, 0x4C, 0x01, 0});
    }
    out.push_back(0x3B);
    return out;
}

// A screen whose event routines the test supplies. The routines are members of the screen
// object, so, like screen-level code, they survive unloads; `bind` attaches control events
// to every freshly built control set.
template <class Controls>
class HookScreen : public ScreenOf<Controls> {
  public:
    HookScreen(Runtime& runtime, std::string name) : ScreenOf<Controls>(runtime, name, name) {}

    std::function<void(Controls&)> bind;
    std::function<void()> onLoad;
    std::function<void(int, int)> onKeyDown;
    std::function<void(int, int)> onKeyUp;
    std::function<void(char)> onKeyPress;
    bool preview = false;
    int loads = 0;  // a screen-level variable: survives unloads

    void Form_KeyDown(int code, int shift) override {
        if (onKeyDown) onKeyDown(code, shift);
    }
    void Form_KeyUp(int code, int shift) override {
        if (onKeyUp) onKeyUp(code, shift);
    }
    void Form_KeyPress(char key) override {
        if (onKeyPress) onKeyPress(key);
    }
    bool previewsKeys() const override { return preview; }

  protected:
    void bindEvents(Controls& controls) override {
        if (bind) bind(controls);
    }
    void Form_Load() override {
        ++loads;
        if (onLoad) onLoad();
    }
};

// A headless runtime in a scratch program folder. Screens are declared by each test
// after the fixture, so they go before the runtime does.
class RuntimeTest : public ::testing::Test {
  public:  // the tables of cases reach in
    TempFolder folder;
    HeadlessPlatform platform{folder.path()};
    Runtime runtime{platform.platform()};
    std::vector<std::string> log;

    // Runs the clock forward, firing due timers as the top-level loop does.
    void advanceMs(long ms) { platform.advance(runtime, ms * kMicrosPerMilli); }
    long nowMs() const { return static_cast<long>(runtime.now() / kMicrosPerMilli); }
    void paceMs(long ms) { runtime.pace(ms * kMicrosPerMilli); }
    // "what@ms", so that a log shows both order and time.
    void note(const std::string& what) { log.push_back(what + "@" + std::to_string(nowMs())); }

    void post(InputEvent event) { platform.input.post(std::move(event)); }
    // Posts and dispatches as the top-level loop does.
    void send(InputEvent event) {
        platform.input.post(std::move(event));
        runtime.dispatchPending();
    }
    void clickAt(float x, float y) { send(ClickEvent{x, y}); }
    void type(const std::string& keys) {
        for (char key : keys) send(KeyPressEvent{key});
    }
};

// A game in a process of its own, as the real game runs: its store on `file` saves when
// a signal ends it. The game does what `play` does, then waits for its end. Returns the
// game's process id.
inline pid_t startGameProcess(const std::filesystem::path& file,
                              const std::function<void(JsonSettingsStore&)>& play) {
    std::cout.flush();
    const pid_t game = ::fork();
    if (game != 0) return game;
    JsonSettingsStore store(file);
    const EndOnSignal endOnSignal([&store] { store.saveNow(); });
    play(store);
    for (;;) ::pause();
}

}  // namespace vk::rttest
