#include "random.h"

namespace vk::gen {

std::uint32_t Random::next() {
    // xorshift32
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return state_;
}

double Random::unit() { return (next() >> 8) / 16777216.0; }

double Random::between(double low, double high) { return low + (high - low) * unit(); }

int Random::wholeBetween(int low, int high) {
    const auto span = static_cast<std::uint32_t>(high - low + 1);
    return low + static_cast<int>(next() % span);
}

}  // namespace vk::gen
