#include "race/view_state.h"

int32_t CameraMode = 0;
int32_t CameraKeyDelay = 0;
int32_t DirectorView = 0;
int32_t DirectorFrames = 0;
int32_t OrbitAngle = 0;
