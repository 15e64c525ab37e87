// The numeric conversions on any text: reading either gives a number or raises the
// runtime's error, and a number written back as text reads back to the same text.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "runtime/errors.h"
#include "runtime/values.h"

namespace {

void require(bool holds) {
    if (!holds) std::abort();
}

void doubleRoundTrip(std::string_view text) {
    double value = 0;
    try {
        value = vk::toDouble(text);
    } catch (const vk::RuntimeError&) {
        return;
    }
    if (!std::isfinite(value)) return;
    const std::string written = vk::textOf(value);
    const double reread = vk::toDouble(written);  // must not raise
    require(vk::textOf(reread) == written);
    try {
        const std::int32_t whole = vk::toLong(value);
        require(vk::toDouble(vk::textOf(static_cast<int>(whole))) == whole);
    } catch (const vk::RuntimeError&) {
        require(std::abs(value) > 2147483647.0);
    }
}

void singleRoundTrip(std::string_view text) {
    float value = 0;
    try {
        value = vk::toSingle(text);
    } catch (const vk::RuntimeError&) {
        return;
    }
    // A denormal single holds fewer than the 7 digits its text shows, so the text may
    // read back as its neighbour.
    if (!std::isfinite(value) || std::fpclassify(value) == FP_SUBNORMAL) return;
    // Seven digits hold a single to its own precision, but not always to the very same
    // value: where floats lie further apart than the seventh digit, the text reads back
    // as a neighbour. The text must keep the value to a single's precision.
    const std::string written = vk::textOf(value);
    const float reread = vk::toSingle(written);  // must not raise
    require(std::abs(reread - value) <= std::abs(value) * 1e-6f);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    for (char separator : {'.', ','}) {
        vk::setDecimalSeparator(separator);
        doubleRoundTrip(text);
        singleRoundTrip(text);
    }
    vk::setDecimalSeparator('.');
    return 0;
}
