// The camera every 3D model is seen through.
#pragma once

#include <cstdint>

extern float CameraX;
extern float CameraY;
extern float CameraZ;
// Angles in tenths of a degree, 0..3599.
extern int32_t CameraHeading;
extern int32_t CameraPitch;
extern int32_t CameraRoll;
