// Loudness as ITU-R BS.1770 measures it (K-weighted power in LUFS), so that the game's
// sounds and tunes can be made equally loud whatever their shape.
#pragma once

#include <span>

#include "wav.h"

namespace vk::gen {

struct Loudness {
    // The whole signal, gated as BS.1770 gates it: for music.
    double integrated;
    // The loudest 400 ms window (momentary loudness): for short effects.
    double loudestMoment;
};

// `interleaved` holds `channels` channels at `rate` samples a second, full scale 1.
// Silence measures kSilence.
Loudness measureLoudness(std::span<const float> interleaved, int channels, int rate);
inline constexpr double kSilence = -100.0;

// Every effect's loudest moment and every music loop's whole reach one loudness in their
// files; the game's mixer turns them down to what the player hears, the effects a little
// above the music, with room for the effects that start together at a knock-out. A sound
// too spiky to get there without passing the peak ceiling stays a little quieter.
inline constexpr double kEffectLoudness = -19.0;  // LUFS, one channel
inline constexpr double kMusicLoudness = -18.0;   // LUFS, one channel
inline constexpr double kPeakCeiling = 0.9;
void levelEffect(Samples& samples);
void levelMusic(Samples& samples);

}  // namespace vk::gen
