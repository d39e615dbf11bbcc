// Moving and turning the camera every model is seen through. The camera's owner keeps it; the
// race, the screens and the reset place it through these.
#pragma once

#include <cstdint>

#include "render/camera_state.h"

// Puts the camera at (x, y, z), world units; where it looks is left alone.
void MoveCamera(float x, float y, float z);

// Points the camera: heading anticlockwise from +x, pitch 0 level and 2700 straight down, both
// tenths of a degree, 0..3599. The roll is left alone.
void TurnCamera(int32_t heading, int32_t pitch);

// Rolls the camera about its view axis, tenths of a degree, 0..3599.
void SetCameraRoll(int32_t roll);
