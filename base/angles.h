// Angle tables, angle arithmetic and truncation shared by the wireframe models and the race.
#pragma once

#include <cmath>
#include <cstdint>

#include "base/arc_tangent.h"
#include "base/trig_tables.h"

// Angles are kept in 0..3599 by whoever turns them; one that slipped out of range is folded
// back rather than read past the end of the tables.
inline int32_t TableAngle(int32_t angle) {
    if (static_cast<uint32_t>(angle) < static_cast<uint32_t>(kFullTurn)) return angle;
    const int32_t folded = angle % kFullTurn;
    return folded < 0 ? folded + kFullTurn : folded;
}

inline double SinOf(int32_t angle) {
    return SinTable[TableAngle(angle)];
}
inline double CosOf(int32_t angle) {
    return CosTable[TableAngle(angle)];
}

// Conversion to a 32-bit integer truncating toward zero. Values beyond a billion only arise for
// points at or behind the near limit, which are never drawn, or on absurd courses; they are held
// there so that the arithmetic after them cannot overflow. Not-a-number becomes 0.
inline int32_t TruncateToInt(double value) {
    constexpr double kLimit = 1.0e9;
    if (!(value == value)) return 0;
    if (value > kLimit) return static_cast<int32_t>(kLimit);
    if (value < -kLimit) return -static_cast<int32_t>(kLimit);
    return static_cast<int32_t>(value);
}

// Radians to tenths of a degree (1800 / pi).
constexpr double kRadiansToTenths = 572.9579143313326;

// An angle that left 0..3599 by one step comes back by one correction of a full turn.
inline int32_t WrapAngle(int32_t angle) {
    if (angle > kFullTurn - 1) return angle - kFullTurn;
    if (angle < 0) return angle + kFullTurn;
    return angle;
}

// The direction from the origin to (dx, dy) in tenths of a degree, truncated, 0..3600. The arc
// tangent is our own: the truncation turns a last-bit difference between maths libraries into a
// whole tenth now and then, and with it a different race.
inline int32_t BearingOf(double dy, double dx) {
    const int32_t bearing = TruncateToInt(ArcTangent(dy, dx) * kRadiansToTenths);
    return bearing < 0 ? bearing + kFullTurn : bearing;
}
