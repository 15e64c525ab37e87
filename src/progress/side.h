// The two sides of the screen: each has its roster, its fighter, its computer toggle and
// its own stage counters.
#pragma once

namespace vorkala {

enum class Side { Left, Right };

}  // namespace vorkala
