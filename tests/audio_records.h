// What the recorded sound channels were told, for assertions.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "runtime/headless/headless_platform.h"

namespace vorkala::testing {

// The commands one channel was sent, in order.
inline std::vector<std::string> commandsOf(const vk::RecordingAudio& audio,
                                           const std::string& owner) {
    std::vector<std::string> out;
    for (const auto& c : audio.commands())
        if (c.owner == owner) out.push_back(c.command);
    return out;
}

// How often a channel's sound actually started.
inline long startsOf(const vk::RecordingAudio& audio, const std::string& owner) {
    return std::count(audio.started().begin(), audio.started().end(), owner);
}

}  // namespace vorkala::testing
