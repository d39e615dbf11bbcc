#include "render/camera.h"

void MoveCamera(float x, float y, float z) {
    CameraX = x;
    CameraY = y;
    CameraZ = z;
}

void TurnCamera(int32_t heading, int32_t pitch) {
    CameraHeading = heading;
    CameraPitch = pitch;
}

void SetCameraRoll(int32_t roll) {
    CameraRoll = roll;
}
