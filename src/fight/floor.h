// The fight floor as every routine of the fight sees it, in twips.
#pragma once

namespace vorkala {

// Dashes, blows and hit reactions put a fighter back between these; a walking step tests
// them before it moves.
inline constexpr float kLeftEdge = 200, kRightEdge = 10000;
// Both fighters' design Top: the fight records it as their ground lines when it loads,
// before a pick moves them.
inline constexpr float kGroundLine = 4320;
// A jump lifts a fighter, and gravity sinks one, by this much a tick.
inline constexpr float kAirStep = 100;
// A fighter whose Top is at least its ground line minus this stands on the ground.
inline constexpr double kGroundMargin = 100;
// A fighter whose Top is less than its ground line minus this is high in the air.
inline constexpr double kHighAbove = 600;

// Whether `x` lies beyond `mark` on the way `way` (+1 to the right, -1 to the left).
inline bool beyond(float x, float mark, float way) { return way > 0 ? x > mark : x < mark; }

// The floor's edge on the way `way`.
inline float edgeToward(float way) { return way > 0 ? kRightEdge : kLeftEdge; }

// A place beyond the edge on the way `way`, put back onto that edge.
inline float keptOnFloor(float left, float way) {
    return beyond(left, edgeToward(way), way) ? edgeToward(way) : left;
}

}  // namespace vorkala
