// The steering record of the last live race, kept until the game returns to the title.
#pragma once

#include <cstdint>

constexpr int kReplayFrames = 6000;

extern int32_t ReplayInputs[kReplayFrames];

// 1 while a replay is running.
extern int32_t ReplayMode;
