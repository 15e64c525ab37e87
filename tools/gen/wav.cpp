#include "wav.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "random.h"

namespace vk::gen {
namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;

std::size_t sampleCount(double seconds) {
    return static_cast<std::size_t>(std::max(0.0, std::round(seconds * kSampleRate)));
}

// Envelope level at time t of a sound lasting `length` seconds.
double envelopeLevel(const Envelope& e, double t, double length) {
    double level = e.sustain;
    if (t < e.attack) {
        level = t / e.attack;
    } else if (t < e.attack + e.decay) {
        // A curved decay sounds more natural than a straight one.
        const double remaining = 1.0 - (t - e.attack) / e.decay;
        level = e.sustain + (1.0 - e.sustain) * remaining * remaining;
    }
    const double untilEnd = length - t;
    if (e.release > 0 && untilEnd < e.release) level *= std::max(0.0, untilEnd / e.release);
    return level;
}

// One cycle of the wave at phase 0..1.
double waveValue(Wave wave, double phase) {
    switch (wave) {
        case Wave::Sine:
            return std::sin(kTwoPi * phase);
        case Wave::Square:
            return phase < 0.5 ? 1.0 : -1.0;
        case Wave::Saw:
            return 2.0 * phase - 1.0;
        case Wave::Triangle:
            return phase < 0.5 ? 4.0 * phase - 1.0 : 3.0 - 4.0 * phase;
    }
    return 0.0;
}

double glide(double from, double to, double progress) {
    return from * std::pow(to / from, progress);
}

// Coefficient of a one-pole low-pass at the given cutoff.
double onePoleCoefficient(double cutoffHz) {
    return 1.0 - std::exp(-kTwoPi * cutoffHz / kSampleRate);
}

}  // namespace

Samples synthesise(const Tone& tone) {
    const std::size_t count = sampleCount(tone.seconds);
    Samples out(count);
    double phase = 0.0;
    for (std::size_t i = 0; i < count; ++i) {
        const double t = static_cast<double>(i) / kSampleRate;
        double hz = glide(tone.startHz, tone.endHz, t / tone.seconds);
        hz *= 1.0 + tone.vibratoDepth * std::sin(kTwoPi * tone.vibratoHz * t);
        out[i] = static_cast<float>(waveValue(tone.wave, phase) * tone.volume *
                                    envelopeLevel(tone.envelope, t, tone.seconds));
        phase = std::fmod(phase + hz / kSampleRate, 1.0);
    }
    return out;
}

Samples tone(Wave wave, double hz, double seconds, Envelope envelope, double volume) {
    return synthesise({wave, hz, hz, seconds, envelope, volume});
}

Samples sweep(Wave wave, double startHz, double endHz, double seconds, Envelope envelope,
              double volume) {
    return synthesise({wave, startHz, endHz, seconds, envelope, volume});
}

Samples noiseBurst(double seconds, double startCutoffHz, double endCutoffHz, Envelope envelope,
                   double volume, std::uint32_t seed) {
    Random random(seed);
    const std::size_t count = sampleCount(seconds);
    Samples out(count);
    double filtered = 0.0;
    for (std::size_t i = 0; i < count; ++i) {
        const double t = static_cast<double>(i) / kSampleRate;
        const double cutoff = glide(startCutoffHz, endCutoffHz, t / seconds);
        filtered += onePoleCoefficient(cutoff) * (random.between(-1.0, 1.0) - filtered);
        out[i] = static_cast<float>(filtered * volume * envelopeLevel(envelope, t, seconds));
    }
    return out;
}

Samples lowPassed(const Samples& in, double cutoffHz) {
    const double k = onePoleCoefficient(cutoffHz);
    Samples out(in.size());
    double state = 0.0;
    for (std::size_t i = 0; i < in.size(); ++i) {
        state += k * (in[i] - state);
        out[i] = static_cast<float>(state);
    }
    return out;
}

Samples highPassed(const Samples& in, double cutoffHz) {
    const Samples low = lowPassed(in, cutoffHz);
    Samples out(in.size());
    for (std::size_t i = 0; i < in.size(); ++i) out[i] = in[i] - low[i];
    return out;
}

Samples bandPassed(const Samples& in, double centreHz, double q) {
    // Constant peak-gain band-pass from the usual biquad formulas.
    const double w = kTwoPi * centreHz / kSampleRate;
    const double alpha = std::sin(w) / (2.0 * q);
    const double a0 = 1.0 + alpha;
    const double b0 = alpha / a0;
    const double b2 = -alpha / a0;
    const double a1 = -2.0 * std::cos(w) / a0;
    const double a2 = (1.0 - alpha) / a0;
    Samples out(in.size());
    double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
    for (std::size_t i = 0; i < in.size(); ++i) {
        const double y = b0 * in[i] + b2 * x2 - a1 * y1 - a2 * y2;
        x2 = x1;
        x1 = in[i];
        y2 = y1;
        y1 = y;
        out[i] = static_cast<float>(y);
    }
    return out;
}

void mixInto(Samples& target, const Samples& source, double atSeconds, double gain) {
    const std::size_t start = sampleCount(atSeconds);
    if (target.size() < start + source.size()) target.resize(start + source.size(), 0.0f);
    for (std::size_t i = 0; i < source.size(); ++i) {
        target[start + i] += static_cast<float>(source[i] * gain);
    }
}

double lengthInSeconds(const Samples& samples) {
    return static_cast<double>(samples.size()) / kSampleRate;
}

Bytes encodeWav(const Samples& samples) {
    constexpr std::uint16_t kChannels = 1;
    constexpr std::uint16_t kBitsPerSample = 16;
    constexpr std::uint16_t kBlockAlign = kChannels * kBitsPerSample / 8;
    const auto dataSize = static_cast<std::uint32_t>(samples.size() * kBlockAlign);

    Bytes out;
    appendText(out, "RIFF");
    appendU32LE(out, 36 + dataSize);
    appendText(out, "WAVE");
    appendText(out, "fmt ");
    appendU32LE(out, 16);
    appendU16LE(out, 1);  // PCM
    appendU16LE(out, kChannels);
    appendU32LE(out, kSampleRate);
    appendU32LE(out, kSampleRate * kBlockAlign);
    appendU16LE(out, kBlockAlign);
    appendU16LE(out, kBitsPerSample);
    appendText(out, "data");
    appendU32LE(out, dataSize);
    for (const float s : samples) {
        const auto value =
            static_cast<std::int16_t>(std::lround(std::clamp(s, -1.0f, 1.0f) * 32767));
        appendU16LE(out, static_cast<std::uint16_t>(value));
    }
    return out;
}

}  // namespace vk::gen
