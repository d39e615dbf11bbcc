// The opening screen (scene 9): three lines fade in from black, hold, and fade out.
#pragma once

#include <cstdint>

#include "screens/screen_state.h"

// Number of frames the opening lasts.
constexpr int32_t kOpeningFrames = 201;

void OpeningScreen();
