// The 256 colours of the 8-bit frame.
#pragma once

#include <array>
#include <cstdint>

#include "platform/platform.h"

// 0..9 and 246..255 are the fixed system colours the game draws with; 10..225 are a 6x6x6
// colour cube and 226..245 a ramp of greys between the cube's own greys.
extern const std::array<platform::Rgb, 256> GamePalette;

// The palette index nearest to an RGB colour given as 0x00BBGGRR. The fixed colours win ties,
// so an exact system colour always maps to its own index.
uint8_t NearestPaletteIndex(uint32_t bgr);
