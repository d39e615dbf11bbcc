// The opening screen (scene 9): three lines fade in from black, hold, and fade out.
#pragma once

#include <cstdint>

// Frame counter of the opening and of the results screen (they never run together).
extern int32_t ScreenFrames;

// Number of frames the opening lasts.
constexpr int32_t kOpeningFrames = 201;

void OpeningScreen();
