#include "render/camera_state.h"

float CameraX = 0.0f;
float CameraY = 0.0f;
float CameraZ = 0.0f;
int32_t CameraHeading = 0;
int32_t CameraPitch = 0;
int32_t CameraRoll = 0;
