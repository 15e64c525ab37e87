#include "loudness.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace vk::gen {
namespace {

struct Biquad {
    double b0, b1, b2, a1, a2;
    double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
    double operator()(double x) {
        const double y = b0 * x + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2;
        x2 = x1;
        x1 = x;
        y2 = y1;
        y1 = y;
        return y;
    }
};

// The K-weighting's two stages (a high shelf for the head, a high-pass below 38 Hz),
// designed for any sample rate.
Biquad highShelf(int rate) {
    const double k = std::tan(std::numbers::pi * 1681.974450955533 / rate);
    const double q = 0.7071752369554196;
    const double vh = std::pow(10.0, 3.999843853973347 / 20.0);
    const double vb = std::pow(vh, 0.4996667741545416);
    const double a0 = 1.0 + k / q + k * k;
    return {(vh + vb * k / q + k * k) / a0, 2.0 * (k * k - vh) / a0, (vh - vb * k / q + k * k) / a0,
            2.0 * (k * k - 1.0) / a0, (1.0 - k / q + k * k) / a0};
}

Biquad highPass(int rate) {
    const double k = std::tan(std::numbers::pi * 38.13547087602444 / rate);
    const double q = 0.5003270373238773;
    const double a0 = 1.0 + k / q + k * k;
    return {1.0, -2.0, 1.0, 2.0 * (k * k - 1.0) / a0, (1.0 - k / q + k * k) / a0};
}

// Scales towards `target` as far as the peak ceiling allows.
void level(Samples& samples, double loudness, double target) {
    float peak = 0.0f;
    for (const float s : samples) peak = std::max(peak, std::abs(s));
    if (peak == 0.0f || loudness <= kSilence) return;
    const double gain = std::min(std::pow(10.0, (target - loudness) / 20.0), kPeakCeiling / peak);
    for (float& s : samples) s = static_cast<float>(s * gain);
}

double lufs(double power) { return power > 0 ? -0.691 + 10.0 * std::log10(power) : kSilence; }

}  // namespace

Loudness measureLoudness(std::span<const float> interleaved, int channels, int rate) {
    const std::size_t frames = interleaved.size() / static_cast<std::size_t>(channels);
    // K-weighted power of every sample, summed over the channels.
    std::vector<double> power(frames, 0.0);
    for (int ch = 0; ch < channels; ++ch) {
        Biquad shelf = highShelf(rate), pass = highPass(rate);
        for (std::size_t i = 0; i < frames; ++i) {
            const double z = pass(shelf(interleaved[i * static_cast<std::size_t>(channels) +
                                                    static_cast<std::size_t>(ch)]));
            power[i] += z * z;
        }
    }
    // 400 ms blocks every 100 ms; a sound shorter than a block is one block padded with
    // silence.
    const auto block = static_cast<std::size_t>(rate * 4 / 10);
    const auto hop = static_cast<std::size_t>(rate / 10);
    std::vector<double> blocks;
    for (std::size_t start = 0; start == 0 || start + block <= frames; start += hop) {
        double sum = 0.0;
        for (std::size_t i = start; i < std::min(start + block, frames); ++i) sum += power[i];
        blocks.push_back(sum / static_cast<double>(block));
    }
    const auto gatedMean = [&blocks](double gate) {
        double sum = 0.0;
        int count = 0;
        for (const double b : blocks) {
            if (lufs(b) <= gate) continue;
            sum += b;
            ++count;
        }
        return count ? sum / count : 0.0;
    };
    constexpr double kAbsoluteGate = -70.0;
    constexpr double kRelativeGate = -10.0;
    const double ungated = gatedMean(kAbsoluteGate);
    return {lufs(gatedMean(std::max(kAbsoluteGate, lufs(ungated) + kRelativeGate))),
            lufs(*std::max_element(blocks.begin(), blocks.end()))};
}

void levelEffect(Samples& samples) {
    level(samples, measureLoudness(samples, 1, kSampleRate).loudestMoment, kEffectLoudness);
}

void levelMusic(Samples& samples) {
    level(samples, measureLoudness(samples, 1, kSampleRate).integrated, kMusicLoudness);
}

}  // namespace vk::gen
