// Perspective projection through the global camera, and the two visibility rules every
// wireframe model is drawn with.
#pragma once

#include <cstdint>

#include "render/render_state.h"

// Nothing at this depth or nearer is drawn by the 3D routines.
constexpr int32_t kNearDepth = 50;

// Projects a world point with the camera of render/camera_state.h into ProjX, ProjY, ProjDepth
// (x right, y down).
void ProjectPoint(double x, double y, double z);

// True when a segment between two projected ends may be drawn: both ends deeper than the near
// limit and at least one end inside the guard window around the screen.
bool SegmentVisible(int32_t x1, int32_t y1, int32_t depth1, int32_t x2, int32_t y2, int32_t depth2);

// Draws a world segment in DrawColour when SegmentVisible passes.
void DrawLine3D(double x1, double y1, double z1, double x2, double y2, double z2);

// Projects four world corners into the quad table and, when all four are deeper than the near
// limit, draws the closed outline 0-1-2-3-0 in DrawColour (DrawLine clips it).
void DrawQuad3D(double x0, double y0, double z0, double x1, double y1, double z1, double x2,
                double y2, double z2, double x3, double y3, double z3);

// True when all four corners of the quad table are deeper than the near limit.
bool QuadInFront();
