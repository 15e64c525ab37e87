#include "shell/module.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <optional>

#include "progress/pocitadlo.h"
#include "runtime/runtime.h"
#include "runtime/sound_channel.h"
#include "runtime/values.h"
#include "shell/game.h"

namespace vorkala {

void SetDisplayMode(vk::Runtime& runtime, float width, float height) {
    runtime.platform().display.changeMode(vk::toLong(width), vk::toLong(height));
}

namespace {

// The desktop modes the game knows how to go back to. Rows without a height are chosen
// by the width alone.
struct RestoreRow {
    double width;
    std::optional<double> height;
    int modeWidth, modeHeight;
};

constexpr std::array kRestoreTable{
    RestoreRow{640, std::nullopt, 640, 480},   RestoreRow{800, std::nullopt, 800, 600},
    RestoreRow{1024, std::nullopt, 1024, 768}, RestoreRow{1152, std::nullopt, 1152, 864},
    RestoreRow{1280, 768, 1280, 768},          RestoreRow{1280, 800, 1280, 800},
    RestoreRow{1280, 960, 1280, 960},          RestoreRow{1280, 1024, 1280, 1024},
    RestoreRow{1600, 1200, 1600, 1200},        RestoreRow{1680, 1050, 1680, 1050},
};

}  // namespace

void RestoreDisplayMode(Game& game) {
    // Every row is tested, each reading the recorded size afresh; a row with two
    // conditions reads the width, then the height, and needs both.
    for (const RestoreRow& row : kRestoreTable) {
        auto& store = game.pocitadlo().ui();
        bool matches = vk::captionValue(store.sirka) == row.width;
        if (row.height) matches = (vk::captionValue(store.vyska) == *row.height) && matches;
        if (matches)
            SetDisplayMode(game.runtime(), static_cast<float>(row.modeWidth),
                           static_cast<float>(row.modeHeight));
    }
}

namespace {

// A uniform number in [0, 1) drawn from a generator seeded by `seed`.
float uniformFromSeed(std::uint64_t seed) {
    std::uint64_t z = seed + 0x9E3779B97F4A7C15ull;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    z ^= z >> 31;
    // 24 bits: every value is exactly representable as a float below 1.
    return static_cast<float>(z >> 40) / static_cast<float>(1u << 24);
}

}  // namespace

float RandomInRange(const vk::Clock& clock, double lo, double hi) {
    const auto millis = static_cast<std::uint64_t>(clock.secondsSinceMidnight() * 1000.0);
    const float r = uniformFromSeed(millis);
    return static_cast<float>(std::floor(lo + (hi - lo + 1) * r));
}

std::string programFile(const vk::Runtime& runtime, std::string_view path) {
    return runtime.appPath() + std::string(path);
}

void openChannel(vk::SoundChannel& channel, const std::string& deviceType,
                 const std::string& file) {
    channel.clearOptions();
    if (!deviceType.empty()) channel.setDeviceType(deviceType);
    channel.setFileName(file);
    channel.setCommand("Open");
}

void replay(vk::SoundChannel& channel) {
    channel.setCommand("Close");
    channel.setCommand("Open");
    channel.setCommand("Play");
}

}  // namespace vorkala
