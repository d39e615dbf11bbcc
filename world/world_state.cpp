#include "world/world_state.h"

float WaveHeight[kWaterGridPoints] = {};
float WaveSpeed[kWaterGridPoints] = {};
int32_t CheckpointBob[kCheckpointCount] = {};
int32_t CheckpointBobSpeed[kCheckpointCount] = {};
double WakeX[kWakeMarks] = {};
double WakeY[kWakeMarks] = {};
int32_t WakeNext = 0;
