#include "world/world_state.h"

float WaveHeight[kWaterGridPoints] = {};
float WaveSpeed[kWaterGridPoints] = {};
int32_t CheckpointBob[kStageCheckpoints] = {};
int32_t CheckpointBobSpeed[kStageCheckpoints] = {};
double WakeX[kWakeMarks] = {};
double WakeY[kWakeMarks] = {};
int32_t WakeNext = 0;
