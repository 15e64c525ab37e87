#include "fight_sounds.h"

#include <array>
#include <string_view>

#include "loudness.h"
#include "random.h"

namespace vk::gen {
namespace {

Samples exactly(Samples samples, double seconds) {
    samples.resize(static_cast<std::size_t>(seconds * kSampleRate), 0.0f);
    return samples;
}

std::uint32_t seedOf(std::string_view text) {
    std::uint32_t h = 2166136261u;
    for (char c : text) h = (h ^ static_cast<unsigned char>(c)) * 16777619u;
    return h;
}

// Formant pairs of the vowels a shout can use: "a", "o", "e", "u", "i".
struct Vowel {
    double first;
    double second;
};
constexpr std::array<Vowel, 5> kVowels = {{
    {800, 1200},
    {500, 900},
    {550, 1800},
    {350, 800},
    {320, 2300},
}};

}  // namespace

Samples blowWhoosh(bool leftFighter) {
    constexpr double kLength = 0.25;
    const double pitch = leftFighter ? 1.0 : 1.2;
    Samples out;
    mixInto(out,
            noiseBurst(0.22, 600 * pitch, 5000 * pitch, {0.06, 0.05, 0.8, 0.1}, 0.9,
                       leftFighter ? 0x5A1u : 0x5A2u),
            0.0);
    mixInto(out, sweep(Wave::Sine, 260 * pitch, 140 * pitch, 0.2, {0.05, 0.1, 0.4, 0.05}, 0.15),
            0.01);
    levelEffect(out);
    return exactly(out, kLength);
}

Samples hitThud(bool leftVictim) {
    constexpr double kLength = 0.3;
    const double pitch = leftVictim ? 1.0 : 0.85;
    Samples out;
    // The body: a short falling low sine; the slap: a burst of bright noise.
    mixInto(out, sweep(Wave::Sine, 150 * pitch, 50 * pitch, 0.26, {0.002, 0.12, 0.2, 0.1}, 0.9),
            0.0);
    mixInto(
        out,
        noiseBurst(0.08, 6000, 900, {0.001, 0.03, 0.2, 0.04}, 0.8, leftVictim ? 0x7B1u : 0x7B2u),
        0.0);
    mixInto(out, lowPassed(noiseBurst(0.2, 900, 200, {0.002, 0.08, 0.2, 0.1}, 0.9, 0x7B3u), 600),
            0.0, 0.7);
    levelEffect(out);
    return exactly(out, kLength);
}

Samples crowdMurmur() {
    constexpr double kLength = 0.9;
    Samples voices;
    Random random(0xC0D);
    for (int v = 0; v < 8; ++v) {
        const double hz = random.between(110, 260);
        Tone voice{Wave::Saw, hz, hz * 0.82, 0.8, {0.12, 0.3, 0.6, 0.3}, 0.12, random.between(4, 7),
                   0.03};
        mixInto(voices, synthesise(voice), random.between(0.0, 0.08));
    }
    Samples out;
    mixInto(out, bandPassed(voices, 450, 3.0), 0.0, 1.2);  // an "oo" vowel
    mixInto(out, bandPassed(voices, 850, 4.0), 0.0, 0.5);
    levelEffect(out);
    return exactly(out, kLength);
}

Samples alarmBeeps() {
    constexpr double kLength = 0.6;
    Samples out;
    mixInto(out, tone(Wave::Square, 988, 0.22, {0.005, 0.05, 0.7, 0.05}, 0.3), 0.0);
    mixInto(out, tone(Wave::Square, 740, 0.28, {0.005, 0.05, 0.7, 0.1}, 0.3), 0.28);
    out = lowPassed(out, 4000);
    levelEffect(out);
    return exactly(out, kLength);
}

Samples finalGong() {
    constexpr double kLength = 1.4;
    Samples out;
    constexpr std::array<double, 5> kPartials = {110, 173, 249, 331, 467};
    double volume = 0.5;
    for (const double hz : kPartials) {
        mixInto(out, sweep(Wave::Sine, hz * 1.01, hz, 1.35, {0.003, 0.4, 0.3, 0.9}, volume), 0.0);
        volume *= 0.7;
    }
    mixInto(out,
            bandPassed(noiseBurst(1.2, 3000, 1500, {0.2, 0.3, 0.5, 0.5}, 0.8, 0x606), 1200, 0.8),
            0.1, 0.6);
    levelEffect(out);
    return exactly(out, kLength);
}

Samples fighterShout(const vorkala::Fighter& fighter) {
    Random random(seedOf(fighter.code));
    random.next();
    const double pitch = random.between(95, 260);
    const double length = random.between(0.4, 0.7);
    const Vowel vowel = kVowels[static_cast<std::size_t>(random.wholeBetween(0, 4))];
    const double rise = random.between(0.7, 1.35);
    Samples glottis;
    mixInto(glottis,
            synthesise({Wave::Saw,
                        pitch,
                        pitch * rise,
                        length,
                        {0.02, 0.1, 0.75, 0.15},
                        0.5,
                        random.between(4.5, 7.0),
                        0.025}),
            0.0);
    // A breathy "h" leads into the vowel.
    Samples out;
    mixInto(out, noiseBurst(0.08, 3000, 1800, {0.02, 0.04, 0.6, 0.02}, 0.25, seedOf(fighter.code)),
            0.0);
    mixInto(out, bandPassed(glottis, vowel.first, 5.0), 0.05, 1.5);
    mixInto(out, bandPassed(glottis, vowel.second, 7.0), 0.05, 0.8);
    mixInto(out, bandPassed(glottis, 2800, 8.0), 0.05, 0.25);
    levelEffect(out);
    return exactly(out, length + 0.1);
}

}  // namespace vk::gen
