// The fight floor as every routine of the fight sees it, in twips.
#pragma once

namespace vorkala {

// Dashes, blows and hit reactions put a fighter back between these; a walking step tests
// them before it moves.
inline constexpr float kLeftEdge = 200, kRightEdge = 10000;
// A fighter whose Top is at least its ground line minus this stands on the ground.
inline constexpr double kGroundMargin = 100;
// A fighter whose Top is less than its ground line minus this is high in the air.
inline constexpr double kHighAbove = 600;

}  // namespace vorkala
