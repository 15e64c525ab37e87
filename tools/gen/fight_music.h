// The ten fight tracks: seamless loops of drums, bass, chords and a lead line, each track
// with its own tempo, key, mode and patterns, rendered straight to samples.
#pragma once

#include "wav.h"

namespace vk::gen {

constexpr int kFightTracks = 10;

struct TrackPlan {
    double beatsPerMinute;
    int bars;     // of four beats
    int rootKey;  // MIDI key of the bass's tonic
};

// Track 1 to kFightTracks.
TrackPlan fightTrackPlan(int track);
// A whole number of bars, about half a minute long, ending where it started.
Samples fightTrack(int track);

}  // namespace vk::gen
