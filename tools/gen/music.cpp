#include "music.h"

#include <array>
#include <sstream>
#include <stdexcept>
#include <string>

namespace vk::gen {
namespace {

constexpr int kTicksPerQuarter = 480;
constexpr Tick kSixteenth = kTicksPerQuarter / 4;
constexpr Tick kBar = 16 * kSixteenth;

// General MIDI programs (numbered from zero) and channels.
// A square lead: the free patch set that SDL_mixer's own MIDI player uses has no
// sawtooth lead, and a missing instrument there plays nothing at all.
constexpr int kLeadSquare = 80;
constexpr int kSynthBass = 38;
constexpr int kStrings = 48;
constexpr int kMelodyChannel = 0;
constexpr int kBassChannel = 1;
constexpr int kPadChannel = 2;
constexpr int kDrumChannel = 9;
constexpr int kVolumeController = 7;
// The parts' volumes (controller 7) set how loud the tune sounds as the game's MIDI player
// synthesises it: at these it is as loud as the fight loops.
constexpr int kLeadVolume = 30;
constexpr int kBassVolume = 34;
constexpr int kPadVolume = 20;
constexpr int kDrumVolume = 31;
constexpr int kKick = 36;
constexpr int kSnare = 38;
constexpr int kClosedHat = 42;
constexpr int kCrash = 49;

int keyOf(const std::string& name) {
    static constexpr std::array<int, 7> kSemitone = {9, 11, 0, 2, 4, 5, 7};  // A..G
    if (name.size() < 2 || name[0] < 'A' || name[0] > 'G') {
        throw std::invalid_argument("bad note name: " + name);
    }
    int key = kSemitone[name[0] - 'A'];
    std::size_t at = 1;
    if (name[at] == '#')
        ++key, ++at;
    else if (name[at] == 'b')
        --key, ++at;
    const int octave = std::stoi(name.substr(at));
    return 12 * (octave + 1) + key;
}

// The tune's sixteen bars: two eight-bar phrases, the second ending on the dominant so
// the loop falls back to the opening A minor.
// clang-format off
constexpr std::string_view kMelody =
    "A4:4 C5:2 E5:2 A5:4 G5:2 E5:2 "   "F5:6 E5:2 C5:4 A4:4 "
    "G4:2 B4:2 D5:4 G5:4 F5:2 D5:2 "   "E5:8 D5:4 B4:4 "
    "A4:2 A4:2 C5:2 E5:2 A5:4 C6:4 "   "A5:4 G5:2 F5:2 E5:4 C5:4 "
    "D5:2 E5:2 F5:4 G5:4 B4:4 "        "G#4:4 B4:4 E5:8 "
    "C5:4 F5:4 A5:6 G5:2 "             "G5:4 D5:4 B4:4 D5:4 "
    "E5:4 A5:4 C6:6 B5:2 "             "A5:8 E5:4 C5:4 "
    "D5:4 F5:4 A5:4 F5:4 "             "C6:4 A5:4 F5:4 A5:4 "
    "G#5:4 B5:4 E5:4 D5:4 "            "B4:4 G#4:4 E4:6 -:2";
// clang-format on

struct Chord {
    const char* bassRoot;
    std::array<const char*, 3> pad;
};

const std::array<Chord, 16> kChords = {{
    {"A2", {"A3", "C4", "E4"}},
    {"F2", {"F3", "A3", "C4"}},
    {"G2", {"G3", "B3", "D4"}},
    {"E2", {"E3", "G3", "B3"}},
    {"A2", {"A3", "C4", "E4"}},
    {"F2", {"F3", "A3", "C4"}},
    {"G2", {"G3", "B3", "D4"}},
    {"E2", {"E3", "G#3", "B3"}},
    {"F2", {"F3", "A3", "C4"}},
    {"G2", {"G3", "B3", "D4"}},
    {"A2", {"A3", "C4", "E4"}},
    {"A2", {"A3", "C4", "E4"}},
    {"D2", {"D3", "F3", "A3"}},
    {"F2", {"F3", "A3", "C4"}},
    {"E2", {"E3", "G#3", "B3"}},
    {"E2", {"E3", "G#3", "B3"}},
}};
constexpr Tick kTuneLength = kChords.size() * kBar;

MidiTrack conductorTrack() {
    MidiTrack track("Vorkala menu");
    track.tempo(0, 140);
    track.timeSignature(0, 4, 4);
    track.endAt(kTuneLength);
    return track;
}

MidiTrack instrumentTrack(const char* name, int channel, int program, int volume) {
    MidiTrack track(name);
    track.program(0, channel, program);
    track.controller(0, channel, kVolumeController, volume);
    track.endAt(kTuneLength);
    return track;
}

MidiTrack melodyTrack() {
    MidiTrack track = instrumentTrack("Lead", kMelodyChannel, kLeadSquare, kLeadVolume);
    Tick at = 0;
    for (const WrittenNote& n : parsePart(kMelody)) {
        const Tick length = n.sixteenths * kSixteenth;
        // Slightly detached notes keep the line punchy.
        if (n.key >= 0) track.note(at, kMelodyChannel, n.key, 100, length - kSixteenth / 4);
        at += length;
    }
    if (at != kTuneLength) throw std::logic_error("melody and chords differ in length");
    return track;
}

MidiTrack bassTrack() {
    MidiTrack track = instrumentTrack("Bass", kBassChannel, kSynthBass, kBassVolume);
    // Driving eighths: root, octave jumps and a fifth to lead into the next bar.
    static constexpr std::array<int, 8> kPattern = {0, 0, 12, 0, 0, 12, 0, 7};
    for (std::size_t bar = 0; bar < kChords.size(); ++bar) {
        const int root = keyOf(kChords[bar].bassRoot);
        for (std::size_t step = 0; step < kPattern.size(); ++step) {
            const Tick at = bar * kBar + step * 2 * kSixteenth;
            const int velocity = step % 2 == 0 ? 110 : 90;
            track.note(at, kBassChannel, root + kPattern[step], velocity, kSixteenth * 3 / 2);
        }
    }
    return track;
}

MidiTrack padTrack() {
    MidiTrack track = instrumentTrack("Strings", kPadChannel, kStrings, kPadVolume);
    for (std::size_t bar = 0; bar < kChords.size(); ++bar) {
        for (const char* name : kChords[bar].pad) {
            track.note(bar * kBar, kPadChannel, keyOf(name), 70, kBar - kSixteenth / 2);
        }
    }
    return track;
}

MidiTrack drumTrack() {
    MidiTrack track("Drums");
    track.controller(0, kDrumChannel, kVolumeController, kDrumVolume);
    track.endAt(kTuneLength);
    for (std::size_t bar = 0; bar < kChords.size(); ++bar) {
        const Tick start = bar * kBar;
        if (bar % 8 == 0) track.note(start, kDrumChannel, kCrash, 100, kSixteenth * 4);
        for (int beat = 0; beat < 4; ++beat) {
            const Tick at = start + beat * 4 * kSixteenth;
            track.note(at, kDrumChannel, beat % 2 == 0 ? kKick : kSnare, 110, kSixteenth);
            track.note(at, kDrumChannel, kClosedHat, 85, kSixteenth);
            track.note(at + 2 * kSixteenth, kDrumChannel, kClosedHat, 65, kSixteenth);
        }
        // A second kick pushes the third beat of every other bar.
        if (bar % 2 == 1) track.note(start + 10 * kSixteenth, kDrumChannel, kKick, 95, kSixteenth);
    }
    return track;
}

}  // namespace

std::vector<WrittenNote> parsePart(std::string_view written) {
    std::vector<WrittenNote> part;
    std::istringstream tokens{std::string(written)};
    std::string token;
    while (tokens >> token) {
        const auto colon = token.find(':');
        if (colon == std::string::npos || colon == 0 || colon + 1 == token.size()) {
            throw std::invalid_argument("bad note token: " + token);
        }
        const std::string name = token.substr(0, colon);
        const int sixteenths = std::stoi(token.substr(colon + 1));
        if (sixteenths <= 0) throw std::invalid_argument("bad note length: " + token);
        part.push_back({name == "-" ? -1 : keyOf(name), sixteenths});
    }
    return part;
}

MidiFile menuTune() {
    MidiFile file;
    file.ticksPerQuarter = kTicksPerQuarter;
    file.tracks = {conductorTrack(), melodyTrack(), bassTrack(), padTrack(), drumTrack()};
    return file;
}

}  // namespace vk::gen
