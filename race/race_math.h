// Arithmetic the boats share. Every expression is worked in double and rounded to float only
// where it is stored: replays and records depend on every bit of it.
#pragma once

#include <cstdint>
#include <cstdlib>

#include "base/angles.h"

// One sixth, as the single-precision constant the boats have always moved by.
constexpr float kSixth = 1.0f / 6;

// Speed of a boat leaving the ramp; it falls back to its cruise by 10 a frame.
constexpr int32_t kRampSpeed = 1300;
// The ramp and the pad act on a boat within this of their centre on both axes.
constexpr int32_t kZoneReach = 500;
// A boat afloat rides at this height; a falling one lands below kLandingZ.
constexpr float kAfloatZ = 170.1f;
constexpr double kLandingZ = 170.0;
// Every boat is kept between these on both axes, bounced back with its velocity reversed.
constexpr int32_t kPlayfieldLow = 200;
constexpr int32_t kPlayfieldHigh = 23250;

template <typename Velocity>
void KeepInside(float& position, Velocity& velocity) {
    if (double(position) < kPlayfieldLow) {
        position = kPlayfieldLow;
        velocity = -velocity;
    }
    if (double(position) > kPlayfieldHigh) {
        position = kPlayfieldHigh;
        velocity = -velocity;
    }
}

// Whether a boat at (x, y) stands within `reach` of the point (centreX, centreY) on both axes,
// judged on the truncated differences.
inline bool WithinSquare(float x, float y, int32_t centreX, int32_t centreY, int32_t reach) {
    return std::abs(TruncateToInt(double(x) - centreX)) < reach &&
           std::abs(TruncateToInt(double(y) - centreY)) < reach;
}
