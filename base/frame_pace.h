// Holds the game to at most one frame every 33 ms. Every frame is a fixed simulation step, so
// the pace is also the game's speed.
#pragma once

#include <cstdint>

// Tick at which the last wait ended.
extern uint32_t FramePaceTick;

constexpr uint32_t kFrameMilliseconds = 33;

// Waits until 33 ms have passed since the previous wait ended. A frame that took longer is let
// through at once and the next one counts from now.
void WaitFramePace();
