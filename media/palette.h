// The 256 colours of the 8-bit frame.
#pragma once

#include <array>
#include <cstdint>

#include "media/media_state.h"
#include "platform/platform.h"

// Entries of the fixed system colours, at 0-9 and 246-255 of every palette the game sets; the
// course, the boats and the scenery are drawn in these.
constexpr int32_t kBlackEntry = 0;
constexpr int32_t kMaroonEntry = 1;
constexpr int32_t kGreyEntry = 247;
constexpr int32_t kRedEntry = 249;
constexpr int32_t kGreenEntry = 250;
constexpr int32_t kYellowEntry = 251;
constexpr int32_t kBlueEntry = 252;
constexpr int32_t kMagentaEntry = 253;
constexpr int32_t kCyanEntry = 254;
constexpr int32_t kWhiteEntry = 255;

// Orange, kept for the ghost's boat: no other colour is ever matched to it, so it shows in a
// frame only where a ghost is drawn.
constexpr int32_t kGhostEntry = 208;

// The palette index nearest to an RGB colour given as 0x00BBGGRR, never kGhostEntry. The fixed
// colours win ties, so an exact system colour always maps to its own index.
uint8_t NearestPaletteIndex(uint32_t bgr);

// The palette as colours are matched against it: the game's, with the ghost's entry standing in
// as black, which entry 0 always wins. Bitmap files are read against it.
const platform::Rgb* MatchingPalette();
