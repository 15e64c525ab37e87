// The pulse of the info and end screens' OK buttons: grown on one tick, back to their
// design size on the next.
#pragma once

#include <cstdint>

#include "runtime/control.h"

namespace vorkala {

// Counts the tick in `counter` (1, 2, 1, 2, ...) and sizes the button, height first.
void pulseOkButton(vk::Control& button, std::int16_t& counter);

}  // namespace vorkala
