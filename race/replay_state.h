// The steering record of the last live race, kept until the game returns to the title.
#pragma once

#include <cstdint>

constexpr int kReplayFrames = 6000;

// Steering of every race frame by frame number: kSteerNone, kSteerLeft or kSteerRight.
extern int32_t ReplayInputs[kReplayFrames];

// 1 while a replay is running.
extern int32_t ReplayMode;
