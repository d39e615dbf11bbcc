// The one routine that draws into the locked back buffer: a clipped line.
#pragma once

#include <cstdint>

#include "render/frame_state.h"

// The dark water every course scene clears its frame to before drawing.
constexpr int32_t kWaterBackground = 4;

// Draws the segment from (x1, y1) to (x2, y2), both ends included, clipped to the frame
// (0..639 by 0..479, every edge inclusive).
// A segment wholly outside is pulled onto the border rather than skipped.
void DrawLine(double x1, double y1, double x2, double y2);

// Makes `colour` (a palette index) the colour of the lines drawn from now on.
void SetDrawColour(int32_t colour);

// Sets the whole unlocked frame to one palette index.
void FillFrame(int32_t colour);

// The black one-pixel outline of the frame that every scene draws last. Leaves DrawColour 0.
void DrawFrameBorder();
