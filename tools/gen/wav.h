// Sound effects: a 16-bit mono 22050 Hz PCM WAV writer and the synthesis pieces the
// effects are mixed from (tones and glides with envelopes, filtered noise, filters).
#pragma once

#include <cstdint>
#include <vector>

#include "bytes.h"

namespace vk::gen {

constexpr int kSampleRate = 22050;

// Mono samples, nominally within -1..1; encoding clips anything beyond.
using Samples = std::vector<float>;

enum class Wave { Sine, Square, Saw, Triangle };

// Attack-decay-sustain-release, times in seconds. The release ends with the sound.
struct Envelope {
    double attack = 0.005;
    double decay = 0.1;
    double sustain = 0.6;  // level held after the decay, 0..1
    double release = 0.05;
};

// A pitched voice whose frequency glides exponentially from startHz to endHz.
struct Tone {
    Wave wave = Wave::Sine;
    double startHz = 440.0;
    double endHz = 440.0;
    double seconds = 0.5;
    Envelope envelope;
    double volume = 0.5;
    double vibratoHz = 0.0;
    double vibratoDepth = 0.0;  // fraction of the pitch
};

Samples synthesise(const Tone& tone);
Samples tone(Wave wave, double hz, double seconds, Envelope envelope, double volume);
Samples sweep(Wave wave, double startHz, double endHz, double seconds, Envelope envelope,
              double volume);
// White noise through a low-pass whose cutoff glides from startCutoffHz to endCutoffHz.
Samples noiseBurst(double seconds, double startCutoffHz, double endCutoffHz, Envelope envelope,
                   double volume, std::uint32_t seed);

Samples lowPassed(const Samples& in, double cutoffHz);
Samples highPassed(const Samples& in, double cutoffHz);
// Resonant band-pass (a biquad), e.g. for vowel formants.
Samples bandPassed(const Samples& in, double centreHz, double q);

// Adds `source` into `target` from `atSeconds`, growing the target when needed.
void mixInto(Samples& target, const Samples& source, double atSeconds, double gain = 1.0);
double lengthInSeconds(const Samples& samples);

Bytes encodeWav(const Samples& samples);

}  // namespace vk::gen
