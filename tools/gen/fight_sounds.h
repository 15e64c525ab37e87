// The fight's sound effects and the fighters' voices, mixed from the pieces in wav.h.
#pragma once

#include "select/roster.h"
#include "wav.h"

namespace vk::gen {

Samples blowWhoosh(bool leftFighter);  // a fist or foot cutting the air, ~0.25 s
Samples hitThud(bool leftVictim);      // a blow landing on a body, ~0.3 s
// Warnings as a fighter's energy runs low, from the mildest to the most urgent.
Samples crowdMurmur();  // "ooh" of the crowd, ~0.9 s
Samples alarmBeeps();   // two falling beeps, ~0.6 s
Samples finalGong();    // a gong with the crowd roaring, ~1.4 s

// The fighter's shout when picked: its pitch, vowel and length come from the code, so
// every fighter sounds different. ~0.4-0.7 s.
Samples fighterShout(const vorkala::Fighter& fighter);

}  // namespace vk::gen
