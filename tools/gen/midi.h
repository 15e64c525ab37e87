// Standard MIDI File writer: tracks collect timed events in any order and are written
// sorted, as format 0 (one track) or format 1 (several).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "bytes.h"

namespace vk::gen {

using Tick = std::uint32_t;

// MIDI's variable-length quantity: 7 bits a byte, most significant first.
void appendVariableLength(Bytes& out, std::uint32_t value);

class MidiTrack {
  public:
    explicit MidiTrack(std::string name = {});

    void tempo(Tick at, double beatsPerMinute);
    void timeSignature(Tick at, int beatsPerBar, int beatUnit);
    void program(Tick at, int channel, int instrument);
    void controller(Tick at, int channel, int number, int value);
    void note(Tick at, int channel, int key, int velocity, Tick length);
    // The track ends here even if its last note stops earlier, so loops keep their length.
    void endAt(Tick at);

    Tick lastTick() const;
    // The whole "MTrk" chunk.
    Bytes encode() const;

  private:
    struct Event {
        Tick at;
        int rank;  // at the same tick: meta, then note-offs, then the rest
        std::size_t sequence;
        Bytes data;
    };
    void add(Tick at, int rank, Bytes data);

    std::string name_;
    std::vector<Event> events_;
    Tick end_ = 0;
};

struct MidiFile {
    int ticksPerQuarter = 480;
    std::vector<MidiTrack> tracks;
};

Bytes encodeMidi(const MidiFile& file);

}  // namespace vk::gen
