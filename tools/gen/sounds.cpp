#include "sounds.h"

#include <array>

#include "loudness.h"

namespace vk::gen {
namespace {

// Trims or pads to an exact length so every effect has a predictable duration.
Samples exactly(Samples samples, double seconds) {
    samples.resize(static_cast<std::size_t>(seconds * kSampleRate), 0.0f);
    return samples;
}

}  // namespace

Samples logoSting() {
    constexpr double kLength = 1.5;
    Samples out;
    // The boom: a falling sine with a burst of dark noise on the hit.
    mixInto(out, sweep(Wave::Sine, 95, 34, 1.3, {0.004, 0.35, 0.35, 0.8}, 0.9), 0.0);
    mixInto(out, noiseBurst(0.45, 2500, 150, {0.002, 0.15, 0.2, 0.25}, 0.9, 0x51A9), 0.0);
    // A detuned A minor stab, softened by a low-pass.
    Samples stab;
    for (const double hz : {110.0, 164.81, 220.0, 261.63, 329.63}) {
        for (const double detune : {0.996, 1.004}) {
            mixInto(stab, tone(Wave::Saw, hz * detune, 1.4, {0.01, 0.45, 0.3, 0.6}, 0.09), 0.0);
        }
    }
    mixInto(out, lowPassed(stab, 1400), 0.04);
    // A high shimmer that rings out the sting.
    mixInto(out, tone(Wave::Sine, 1760, 1.2, {0.02, 0.3, 0.25, 0.8}, 0.05), 0.08);
    mixInto(out, tone(Wave::Sine, 2637, 1.1, {0.02, 0.3, 0.2, 0.8}, 0.03), 0.1);
    levelEffect(out);
    return exactly(out, kLength);
}

Samples startCheer() {
    constexpr double kLength = 0.6;
    // A handful of voices shouting with slightly different pitches and timing.
    struct Voice {
        double hz;
        double start;
        double vibrato;
    };
    constexpr std::array<Voice, 5> kVoices = {{
        {180, 0.00, 5.5},
        {215, 0.02, 6.1},
        {250, 0.01, 4.8},
        {290, 0.04, 5.2},
        {330, 0.03, 6.6},
    }};
    Samples voices;
    for (const Voice& v : kVoices) {
        Tone shout{Wave::Saw, v.hz,      v.hz * 1.25, 0.52, {0.04, 0.15, 0.7, 0.22},
                   0.2,       v.vibrato, 0.02};
        mixInto(voices, synthesise(shout), v.start);
    }
    // Formants of an open "o" / "a" vowel give the voices their shape.
    Samples out;
    mixInto(out, bandPassed(voices, 650, 4.0), 0.0, 1.4);
    mixInto(out, bandPassed(voices, 1100, 5.0), 0.0, 0.9);
    mixInto(out, bandPassed(voices, 2500, 6.0), 0.0, 0.3);
    // Breath and crowd noise.
    mixInto(out,
            bandPassed(noiseBurst(0.5, 4000, 2500, {0.03, 0.2, 0.4, 0.2}, 0.5, 0xC4EE), 1500, 1.0),
            0.0);
    levelEffect(out);
    return exactly(out, kLength);
}

Samples metalClick() {
    constexpr double kLength = 0.1;
    Samples out;
    // Inharmonic partials ring like struck metal; the tick of noise is the contact.
    constexpr std::array<double, 4> kPartials = {1870, 2950, 4230, 5610};
    double volume = 0.35;
    for (const double hz : kPartials) {
        mixInto(out, tone(Wave::Sine, hz, kLength, {0.0008, 0.06, 0.0, 0.02}, volume), 0.0);
        volume *= 0.75;
    }
    mixInto(
        out,
        highPassed(noiseBurst(0.012, 9000, 9000, {0.0005, 0.01, 0.0, 0.001}, 1.0, 0x0C1C), 3000),
        0.0, 0.8);
    levelEffect(out);
    return exactly(out, kLength);
}

Samples selectWhoosh() {
    constexpr double kLength = 0.8;
    Samples out;
    // Rushing air: noise opening up as it approaches, closing as it passes.
    mixInto(out, noiseBurst(0.45, 300, 3500, {0.38, 0.05, 1.0, 0.02}, 0.9, 0x3001), 0.0);
    mixInto(out, noiseBurst(0.38, 3500, 250, {0.01, 0.1, 0.7, 0.26}, 0.9, 0x3002), 0.42);
    // A faint rising hum gives the whoosh a direction.
    mixInto(out, sweep(Wave::Triangle, 180, 520, 0.7, {0.3, 0.1, 0.6, 0.3}, 0.08), 0.02);
    levelEffect(out);
    return exactly(out, kLength);
}

}  // namespace vk::gen
