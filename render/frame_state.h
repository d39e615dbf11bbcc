// The colour of the next line. The back buffer the lines go into (FrameBits, FramePitch) is the
// display's, which locks and unlocks it.
#pragma once

#include <cstdint>

#include "media/media_state.h"

// Palette index DrawLine writes, in the low byte.
extern int32_t DrawColour;
