// The locked 8-bit back buffer and the one routine that draws into it: a clipped line.
#pragma once

#include <cstdint>

// Pixel (x, y) is FrameBits[y * FramePitch + x]. Null whenever the buffer is not locked:
// every drawing routine then skips its writes but still does the rest of its work.
extern uint8_t* FrameBits;
extern int32_t FramePitch;

// Low byte: the palette index DrawLine writes.
extern int32_t DrawColour;

// left, top, right, bottom; every edge inclusive.
extern const int32_t ClipRect[4];

// Draws the segment from (x1, y1) to (x2, y2), both ends included, clipped to ClipRect.
// A segment wholly outside is pulled onto the border rather than skipped.
void DrawLine(double x1, double y1, double x2, double y2);

// Sets the whole unlocked frame to one palette index.
void FillFrame(int32_t colour);

// The black one-pixel outline of ClipRect that every scene draws last. Leaves DrawColour 0.
void DrawFrameBorder();
