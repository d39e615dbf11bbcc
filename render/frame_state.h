// The locked 8-bit back buffer every line is drawn into, and the colour of the next line.
#pragma once

#include <cstdint>

// Pixel (x, y) is FrameBits[y * FramePitch + x]. Null whenever the buffer is not locked:
// every drawing routine then skips its writes but still does the rest of its work.
extern uint8_t* FrameBits;
extern int32_t FramePitch;

// Low byte: the palette index DrawLine writes.
extern int32_t DrawColour;
