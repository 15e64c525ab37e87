#include "midi.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <stdexcept>

namespace vk::gen {
namespace {

constexpr int kRankMeta = 0;
constexpr int kRankNoteOff = 1;
constexpr int kRankChannel = 2;

std::uint8_t dataByte(int value) { return static_cast<std::uint8_t>(std::clamp(value, 0, 127)); }

std::uint8_t status(int kind, int channel) {
    if (channel < 0 || channel > 15) throw std::invalid_argument("MIDI channel out of range");
    return static_cast<std::uint8_t>(kind | channel);
}

Bytes metaEvent(std::uint8_t type, const Bytes& payload) {
    Bytes out{0xFF, type};
    appendVariableLength(out, static_cast<std::uint32_t>(payload.size()));
    appendBytes(out, payload);
    return out;
}

}  // namespace

void appendVariableLength(Bytes& out, std::uint32_t value) {
    if (value > 0x0FFFFFFF) throw std::invalid_argument("MIDI length too large");
    std::uint8_t groups[4];
    int count = 0;
    do {
        groups[count++] = static_cast<std::uint8_t>(value & 0x7F);
        value >>= 7;
    } while (value != 0);
    while (count > 1) out.push_back(static_cast<std::uint8_t>(groups[--count] | 0x80));
    out.push_back(groups[0]);
}

MidiTrack::MidiTrack(std::string name) : name_(std::move(name)) {}

void MidiTrack::add(Tick at, int rank, Bytes data) {
    events_.push_back({at, rank, events_.size(), std::move(data)});
}

void MidiTrack::tempo(Tick at, double beatsPerMinute) {
    const auto micros = static_cast<std::uint32_t>(std::lround(60'000'000.0 / beatsPerMinute));
    add(at, kRankMeta,
        metaEvent(0x51,
                  {static_cast<std::uint8_t>(micros >> 16), static_cast<std::uint8_t>(micros >> 8),
                   static_cast<std::uint8_t>(micros)}));
}

void MidiTrack::timeSignature(Tick at, int beatsPerBar, int beatUnit) {
    const auto unitPower =
        static_cast<std::uint8_t>(std::countr_zero(static_cast<unsigned>(beatUnit)));
    // 24 clocks per metronome click, 8 thirty-seconds per quarter.
    add(at, kRankMeta, metaEvent(0x58, {dataByte(beatsPerBar), unitPower, 24, 8}));
}

void MidiTrack::program(Tick at, int channel, int instrument) {
    add(at, kRankChannel, {status(0xC0, channel), dataByte(instrument)});
}

void MidiTrack::controller(Tick at, int channel, int number, int value) {
    add(at, kRankChannel, {status(0xB0, channel), dataByte(number), dataByte(value)});
}

void MidiTrack::note(Tick at, int channel, int key, int velocity, Tick length) {
    add(at, kRankChannel, {status(0x90, channel), dataByte(key), dataByte(std::max(1, velocity))});
    add(at + length, kRankNoteOff, {status(0x80, channel), dataByte(key), 0x40});
}

void MidiTrack::endAt(Tick at) { end_ = at; }

Tick MidiTrack::lastTick() const {
    Tick last = end_;
    for (const Event& e : events_) last = std::max(last, e.at);
    return last;
}

Bytes MidiTrack::encode() const {
    std::vector<const Event*> ordered;
    for (const Event& e : events_) ordered.push_back(&e);
    std::sort(ordered.begin(), ordered.end(), [](const Event* a, const Event* b) {
        if (a->at != b->at) return a->at < b->at;
        if (a->rank != b->rank) return a->rank < b->rank;
        return a->sequence < b->sequence;
    });

    Bytes body;
    if (!name_.empty()) {
        appendVariableLength(body, 0);
        appendBytes(body, metaEvent(0x03, Bytes(name_.begin(), name_.end())));
    }
    Tick previous = 0;
    for (const Event* e : ordered) {
        appendVariableLength(body, e->at - previous);
        appendBytes(body, e->data);
        previous = e->at;
    }
    appendVariableLength(body, lastTick() - previous);
    appendBytes(body, metaEvent(0x2F, {}));

    Bytes chunk;
    appendText(chunk, "MTrk");
    appendU32BE(chunk, static_cast<std::uint32_t>(body.size()));
    appendBytes(chunk, body);
    return chunk;
}

Bytes encodeMidi(const MidiFile& file) {
    if (file.tracks.empty()) throw std::invalid_argument("a MIDI file needs a track");
    Bytes out;
    appendText(out, "MThd");
    appendU32BE(out, 6);
    appendU16BE(out, file.tracks.size() == 1 ? 0 : 1);
    appendU16BE(out, static_cast<std::uint16_t>(file.tracks.size()));
    appendU16BE(out, static_cast<std::uint16_t>(file.ticksPerQuarter));
    for (const MidiTrack& track : file.tracks) appendBytes(out, track.encode());
    return out;
}

}  // namespace vk::gen
