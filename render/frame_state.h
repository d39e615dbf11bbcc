// The locked 8-bit back buffer every line is drawn into, and the colour of the next line.
#pragma once

#include <cstdint>

// The locked back buffer: pixel (x, y) is FrameBits[y * FramePitch + x]. Null whenever the
// buffer is not locked: every drawing routine then skips its writes but still does the rest of
// its work.
extern uint8_t* FrameBits;
// Bytes from one row of the locked back buffer to the next.
extern int32_t FramePitch;

// Palette index DrawLine writes, in the low byte.
extern int32_t DrawColour;
