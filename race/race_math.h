// Arithmetic the boats share. Every expression is worked in double and rounded to float only
// where it is stored: replays and records depend on every bit of it.
#pragma once

#include <cstdint>
#include <cstdlib>

#include "base/angles.h"

// One sixth, as the single-precision constant the boats have always moved by.
constexpr float kSixth = 1.0f / 6;

// Whether a boat at (x, y) stands within `reach` of the point (centreX, centreY) on both axes,
// judged on the truncated differences.
inline bool WithinSquare(float x, float y, int32_t centreX, int32_t centreY, int32_t reach) {
    return std::abs(TruncateToInt(double(x) - centreX)) < reach &&
           std::abs(TruncateToInt(double(y) - centreY)) < reach;
}
