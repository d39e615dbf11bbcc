// The fenced water every course lies in. The fence posts stand on these lines along both axes;
// a course's checkpoints, stands, ramp and pad belong between them.
#pragma once

#include <cstdint>

constexpr int32_t kFenceLow = 100;
constexpr int32_t kFenceHigh = 23400;
