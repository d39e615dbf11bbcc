// The moving parts of the course: the water's waves, the bobbing checkpoint buoys, the wake.
#pragma once

#include <cstdint>

#include "course/stage_file.h"

constexpr int kWaterGridSide = 21;
constexpr int kWaterGridPoints = kWaterGridSide * kWaterGridSide;
constexpr int kWakeMarks = 100;

extern float WaveHeight[kWaterGridPoints];
extern float WaveSpeed[kWaterGridPoints];
extern int32_t CheckpointBob[kStageCheckpoints];
extern int32_t CheckpointBobSpeed[kStageCheckpoints];
extern double WakeX[kWakeMarks];
extern double WakeY[kWakeMarks];
extern int32_t WakeNext;
