// What the last projection left behind: the screen point of ProjectPoint, the corners of
// DrawQuad3D and the visibility of the water grid's points. Models read them right after the
// call that wrote them.
#pragma once

#include <cstdint>

// The water is a square grid of this many points a side, stored row by row.
constexpr int kWaterGridSide = 21;
constexpr int kWaterGridPoints = kWaterGridSide * kWaterGridSide;

// Screen column of the last projected point, pixels from the left.
extern int32_t ProjX;
// Screen row of the last projected point, pixels from the top.
extern int32_t ProjY;
// Distance of the last projected point along the view axis, world units truncated toward zero;
// negative behind the camera.
extern int32_t ProjDepth;

// Screen columns of the last DrawQuad3D's four corners, kept whether or not it was drawn.
extern int32_t QuadX[4];
// Screen rows of the last DrawQuad3D's four corners.
extern int32_t QuadY[4];
// Depths of the last DrawQuad3D's four corners, world units along the view axis.
extern int32_t QuadDepth[4];

// Rocking value the last opponent boat was drawn with, world units the stern rises; the title's
// formation is drawn with whatever the last race's boats left here.
extern float BoatModelRock;

// Per water grid point: 1 when the last DrawWaterGrid found it at least one unit ahead of the
// camera, else 0.
extern int32_t GridVisible[kWaterGridPoints];
