// The 256 colours of the 8-bit frame.
#pragma once

#include <array>
#include <cstdint>

#include "media/media_state.h"
#include "platform/platform.h"

// The palette index nearest to an RGB colour given as 0x00BBGGRR. The fixed colours win ties,
// so an exact system colour always maps to its own index.
uint8_t NearestPaletteIndex(uint32_t bgr);
