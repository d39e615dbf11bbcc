// Holds the game to at most one frame every 33 ms. Every frame is a fixed simulation step, so
// the pace is also the game's speed.
#pragma once

#include <cstdint>

#include "base/base_state.h"

constexpr uint32_t kFrameMilliseconds = 33;

// Waits until 33 ms have passed since the previous wait ended. A frame that took longer is let
// through at once and the next one counts from now.
void WaitFramePace();

// The stage select has always shown a frame per display refresh, not per race frame. Our window
// does not wait for the display, so this waits for it: at most one frame every 1000/60 ms
// (16, 17, 17 ms in turn), on its own stamp, so the race's frame pace is left alone.
void WaitDisplayRefresh();
