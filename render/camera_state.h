// The camera every 3D model is seen through. Positions are world units; angles tenths of a
// degree, 0..3599.
#pragma once

#include <cstdint>

// The camera's position along x.
extern float CameraX;
// The camera's position along y.
extern float CameraY;
// The camera's height.
extern float CameraZ;
// The direction the camera looks in, anticlockwise from +x.
extern int32_t CameraHeading;
// The camera's tilt: 0 level, 2700 straight down, 3500 ten degrees down.
extern int32_t CameraPitch;
// The camera's roll about its view axis; the race gives it the player's bank.
extern int32_t CameraRoll;
