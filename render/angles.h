// Table look-ups and truncation shared by the wireframe models.
#pragma once

#include <cmath>
#include <cstdint>

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
// points at or behind the near limit, which are never drawn; they are held there so that the
// screen arithmetic after them cannot overflow. Not-a-number becomes 0.
inline int32_t TruncateToInt(double value) {
    constexpr double kLimit = 1.0e9;
    if (!(value == value)) return 0;
    if (value > kLimit) return static_cast<int32_t>(kLimit);
    if (value < -kLimit) return -static_cast<int32_t>(kLimit);
    return static_cast<int32_t>(value);
}
