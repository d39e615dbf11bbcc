#include "race/replay_state.h"

int32_t ReplayInputs[kReplayFrames] = {};
int32_t ReplayMode = 0;
