// A small seeded generator. The standard distributions differ between library versions, so
// the generator uses its own arithmetic: the same seed gives the same artwork everywhere.
#pragma once

#include <cstdint>

namespace vk::gen {

class Random {
  public:
    explicit Random(std::uint32_t seed) : state_(seed == 0 ? 0x9E3779B9u : seed) {}

    std::uint32_t next();
    // Uniform in [0, 1).
    double unit();
    // Uniform in [low, high).
    double between(double low, double high);
    // Uniform whole number in [low, high].
    int wholeBetween(int low, int high);

  private:
    std::uint32_t state_;
};

}  // namespace vk::gen
