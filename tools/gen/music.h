// The game's music, composed here as note lists and written as MIDI.
#pragma once

#include <string_view>
#include <vector>

#include "midi.h"

namespace vk::gen {

// A note of a written part; key < 0 is a rest. Lengths count sixteenth notes.
struct WrittenNote {
    int key;
    int sixteenths;
};

// Reads a part written as "A4:4 C#5:2 -:4 ..." (note name with octave, or '-' for a rest,
// then its length in sixteenths). Middle C is C4 (key 60). Throws on a malformed token.
std::vector<WrittenNote> parsePart(std::string_view written);

// The menu tune: sixteen bars in A minor that loop seamlessly.
MidiFile menuTune();

}  // namespace vk::gen
