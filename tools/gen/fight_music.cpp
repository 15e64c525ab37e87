#include "fight_music.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <stdexcept>
#include <tuple>
#include <vector>

#include "loudness.h"
#include "random.h"

namespace vk::gen {
namespace {

constexpr double kTargetSeconds = 32.0;

double hertzOf(int key) { return 440.0 * std::pow(2.0, (key - 69) / 12.0); }

// Scales as semitone steps above the tonic.
constexpr std::array<std::array<int, 7>, 4> kModes = {{
    {0, 2, 3, 5, 7, 8, 10},  // natural minor
    {0, 1, 3, 5, 7, 8, 10},  // phrygian
    {0, 2, 3, 5, 7, 9, 10},  // dorian
    {0, 2, 3, 5, 7, 8, 11},  // harmonic minor
}};

// Chord roots as scale degrees, one chord a bar.
constexpr std::array<std::array<int, 4>, 6> kProgressions = {{
    {0, 5, 3, 4},
    {0, 0, 5, 6},
    {0, 3, 0, 4},
    {0, 6, 5, 6},
    {0, 2, 5, 4},
    {0, 5, 6, 4},
}};

// Sixteenth-note drum grids (16 steps): kick, snare, hi-hat.
struct DrumGrid {
    const char* kick;
    const char* snare;
    const char* hat;
};
constexpr std::array<DrumGrid, 4> kDrumGrids = {{
    {"x.......x.x.....", "....x.......x...", "x.x.x.x.x.x.x.x."},
    {"x.....x...x.....", "....x.......x..x", "xxxxxxxxxxxxxxxx"},
    {"x..x..x...x..x..", "....x.......x...", "..x...x...x...x."},
    {"x...x...x...x...", "....x.......x...", "x.xxx.xxx.xxx.xx"},
}};

// Bass rhythms over a bar: offsets from the chord root in scale steps, '.' rests.
constexpr std::array<const char*, 4> kBassLines = {
    "0.0.0.0.0.0.0.0.",
    "0..0..0.0..0..4.",
    "00.000.000.00.7.",
    "0...0.2.0...0.4.",
};

int scaleKey(int root, const std::array<int, 7>& mode, int degree) {
    const int octave = degree >= 0 ? degree / 7 : (degree - 6) / 7;
    const int step = degree - octave * 7;
    return root + 12 * octave + mode[static_cast<std::size_t>(step)];
}

// Adds `source` at `start`, wrapping what runs past the end to the beginning so the loop
// has no seam.
void mixWrapped(Samples& target, const Samples& source, std::size_t start, double gain) {
    for (std::size_t i = 0; i < source.size(); ++i)
        target[(start + i) % target.size()] += static_cast<float>(source[i] * gain);
}

// Instruments, each note rendered once and reused.
class Band {
  public:
    explicit Band(double sixteenthSeconds) : step_(sixteenthSeconds) {}

    const Samples& kick() {
        return cached(0, 0, 0, [] {
            Samples s = sweep(Wave::Sine, 160, 42, 0.28, {0.001, 0.12, 0.3, 0.1}, 0.9);
            mixInto(s, noiseBurst(0.01, 8000, 3000, {0.0005, 0.005, 0.2, 0.004}, 0.4, 0x1C), 0.0);
            return s;
        });
    }
    const Samples& snare() {
        return cached(1, 0, 0, [] {
            Samples s = noiseBurst(0.2, 7000, 2500, {0.001, 0.07, 0.2, 0.1}, 0.6, 0x5E);
            mixInto(s, sweep(Wave::Triangle, 220, 160, 0.12, {0.001, 0.05, 0.2, 0.05}, 0.4), 0.0);
            return s;
        });
    }
    const Samples& hat() {
        return cached(2, 0, 0, [] {
            return highPassed(noiseBurst(0.05, 12000, 9000, {0.0005, 0.02, 0.1, 0.02}, 0.35, 0x4A7),
                              5000);
        });
    }
    const Samples& bass(int key, int steps) {
        return cached(3, key, steps, [&] {
            const double hz = hertzOf(key);
            Samples s = tone(Wave::Saw, hz, steps * step_, {0.004, 0.08, 0.6, 0.03}, 0.5);
            mixInto(s, tone(Wave::Square, hz * 0.5, steps * step_, {0.004, 0.1, 0.5, 0.03}, 0.2),
                    0.0);
            return lowPassed(s, 700);
        });
    }
    const Samples& chord(int rootKey, int thirdKey, int fifthKey, int steps) {
        return cached(4, rootKey * 256 + thirdKey * 16 + fifthKey, steps, [&] {
            Samples s;
            for (const int key : {rootKey, thirdKey, fifthKey}) {
                for (const double detune : {0.995, 1.005}) {
                    mixInto(s,
                            tone(Wave::Saw, hertzOf(key) * detune, steps * step_,
                                 {0.08, 0.3, 0.7, 0.2}, 0.06),
                            0.0);
                }
            }
            return lowPassed(s, 1600);
        });
    }
    const Samples& lead(Wave wave, int key, int steps) {
        return cached(5 + static_cast<int>(wave), key, steps, [&] {
            return lowPassed(synthesise({wave,
                                         hertzOf(key),
                                         hertzOf(key),
                                         steps * step_,
                                         {0.005, 0.08, 0.55, 0.04},
                                         0.22,
                                         5.5,
                                         0.006}),
                             3500);
        });
    }

  private:
    template <typename Make>
    const Samples& cached(int instrument, int key, int steps, Make make) {
        const auto id = std::make_tuple(instrument, key, steps);
        auto found = notes_.find(id);
        if (found == notes_.end()) found = notes_.emplace(id, make()).first;
        return found->second;
    }

    double step_;
    std::map<std::tuple<int, int, int>, Samples> notes_;
};

// A four-bar lead phrase: (step in the phrase, scale degree above the root, length).
struct PhraseNote {
    int step;
    int degree;
    int length;
};

std::vector<PhraseNote> composePhrase(Random& random, const std::array<int, 4>& progression) {
    std::vector<PhraseNote> notes;
    int degree = 7 + random.wholeBetween(0, 4);
    for (int bar = 0; bar < 4; ++bar) {
        int step = 0;
        while (step < 16) {
            const int length = std::array{2, 2, 4, 1, 3, 2}[random.wholeBetween(0, 5)];
            if (random.unit() < 0.2) {  // a rest
                step += length;
                continue;
            }
            // Strong steps land on chord tones; others wander by a step or two.
            if (step % 4 == 0) {
                const int chordRoot = progression[static_cast<std::size_t>(bar)] + 7;
                const int tones[] = {chordRoot, chordRoot + 2, chordRoot + 4};
                int best = tones[0];
                for (int tone : tones)
                    if (std::abs(tone - degree) < std::abs(best - degree)) best = tone;
                degree = best;
            } else {
                degree += random.wholeBetween(-2, 2);
            }
            degree = std::clamp(degree, 4, 16);
            notes.push_back({bar * 16 + step, degree, std::min(length, 16 - step)});
            step += length;
        }
    }
    return notes;
}

}  // namespace

TrackPlan fightTrackPlan(int track) {
    if (track < 1 || track > kFightTracks) throw std::out_of_range("no fight track");
    Random random(0x7AC0u + static_cast<std::uint32_t>(track) * 7919u);
    random.next();
    TrackPlan plan{};
    plan.beatsPerMinute = 112 + 4 * random.wholeBetween(0, 10);
    plan.rootKey = 36 + random.wholeBetween(0, 9);
    const double barSeconds = 4 * 60.0 / plan.beatsPerMinute;
    plan.bars = std::max(8, static_cast<int>(std::lround(kTargetSeconds / barSeconds / 4)) * 4);
    return plan;
}

Samples fightTrack(int track) {
    const TrackPlan plan = fightTrackPlan(track);
    Random random(0xB00Fu + static_cast<std::uint32_t>(track) * 104729u);
    const auto& mode = kModes[static_cast<std::size_t>(random.wholeBetween(0, 3))];
    const auto& progression =
        kProgressions[static_cast<std::size_t>(random.wholeBetween(0, kProgressions.size() - 1))];
    const DrumGrid& drums =
        kDrumGrids[static_cast<std::size_t>(random.wholeBetween(0, kDrumGrids.size() - 1))];
    const char* bassLine =
        kBassLines[static_cast<std::size_t>(random.wholeBetween(0, kBassLines.size() - 1))];
    const Wave leadWave = random.unit() < 0.5 ? Wave::Square : Wave::Triangle;
    const std::vector<PhraseNote> phraseA = composePhrase(random, progression);
    const std::vector<PhraseNote> phraseB = composePhrase(random, progression);

    const double stepSeconds = 60.0 / plan.beatsPerMinute / 4;
    const auto stepsTotal = static_cast<std::size_t>(plan.bars) * 16;
    const auto sampleAt = [&](std::size_t step) {
        return static_cast<std::size_t>(std::lround(step * stepSeconds * kSampleRate));
    };
    Samples out(sampleAt(stepsTotal), 0.0f);
    Band band(stepSeconds);

    for (int bar = 0; bar < plan.bars; ++bar) {
        const int chordDegree = progression[static_cast<std::size_t>(bar % 4)];
        const int chordRoot = scaleKey(plan.rootKey, mode, chordDegree);
        const auto barStep = static_cast<std::size_t>(bar) * 16;
        for (std::size_t s = 0; s < 16; ++s) {
            const std::size_t at = sampleAt(barStep + s);
            if (drums.kick[s] == 'x') mixWrapped(out, band.kick(), at, 0.9);
            if (drums.snare[s] == 'x' && bar > 0) mixWrapped(out, band.snare(), at, 0.6);
            if (drums.hat[s] == 'x') mixWrapped(out, band.hat(), at, s % 4 == 0 ? 0.5 : 0.3);
            if (bassLine[s] != '.') {
                const int key = scaleKey(plan.rootKey, mode, chordDegree + (bassLine[s] - '0'));
                mixWrapped(out, band.bass(key, 2), at, 0.8);
            }
        }
        // Chords from the second bar on; the lead after the first phrase.
        if (bar > 0) {
            const int third = scaleKey(plan.rootKey + 12, mode, chordDegree + 2);
            const int fifth = scaleKey(plan.rootKey + 12, mode, chordDegree + 4);
            mixWrapped(out, band.chord(chordRoot + 12, third, fifth, 16), sampleAt(barStep), 0.9);
        }
    }
    for (int phrase = 1; phrase * 4 < plan.bars; ++phrase) {
        const auto& notes = phrase % 2 ? phraseA : phraseB;
        for (const PhraseNote& note : notes) {
            const int key = scaleKey(plan.rootKey + 12, mode, note.degree);
            mixWrapped(out, band.lead(leadWave, key, note.length),
                       sampleAt(static_cast<std::size_t>(phrase) * 64 + note.step), 0.8);
        }
    }
    levelMusic(out);
    return out;
}

}  // namespace vk::gen
