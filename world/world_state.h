// The moving parts of the course: the water's waves, the bobbing checkpoint buoys, the wake.
#pragma once

#include <cstdint>

constexpr int kWaterGridSide = 21;
constexpr int kWaterGridPoints = kWaterGridSide * kWaterGridSide;
constexpr int kCheckpointCount = 6;
constexpr int kWakeMarks = 100;

extern float WaveHeight[kWaterGridPoints];
extern float WaveSpeed[kWaterGridPoints];
extern int32_t CheckpointBob[kCheckpointCount];
extern int32_t CheckpointBobSpeed[kCheckpointCount];
extern double WakeX[kWakeMarks];
extern double WakeY[kWakeMarks];
extern int32_t WakeNext;
