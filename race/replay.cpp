#include "race/replay.h"

int32_t ReplayInputs[kReplayFrames] = {};
int32_t ReplayMode = 0;
