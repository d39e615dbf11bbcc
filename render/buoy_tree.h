// The checkpoint buoy and the trackside tree: a square block topped by a square pyramid,
// axis-aligned, sized by one value.
#pragma once

#include <cstdint>

// A white block (half-side size/3, a tenth of that tall) standing at height z, carrying a
// pyramid of half the block's width in `colour` whose apex is `size` above z.
// Leaves DrawColour at `colour`.
void DrawBuoy(double x, double y, double z, double size, int32_t colour);

// A trunk (half-side size/30, nine times that tall), a crown five times as wide reaching
// `size` above z, and a black footprint under the crown. Leaves DrawColour at 0.
void DrawTree(double x, double y, double z, int32_t size);
