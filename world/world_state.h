// The moving parts of the course: the water's waves, the bobbing checkpoint buoys, the wake.
#pragma once

#include <cstdint>

#include "course/stage_file.h"
#include "render/render_state.h"

constexpr int kWakeMarks = 100;

// Height of each water grid point (row by row), world units; it swings about 100.
extern float WaveHeight[kWaterGridPoints];
// Change of each grid point's height a frame, world units; it turns 1 a frame toward level.
extern float WaveSpeed[kWaterGridPoints];
// Height each checkpoint buoy floats at, world units; it swings about 70.
extern int32_t CheckpointBob[kStageCheckpoints];
// Change of each buoy's height a frame, world units.
extern int32_t CheckpointBobSpeed[kStageCheckpoints];
// x of each wake mark left on the water, world units.
extern double WakeX[kWakeMarks];
// y of each wake mark, world units.
extern double WakeY[kWakeMarks];
// The wake mark the next boat afloat overwrites, 0..99.
extern int32_t WakeNext;
