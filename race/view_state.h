// Which camera view the race is watched through.
#pragma once

#include <cstdint>

extern int32_t CameraMode;
extern int32_t CameraKeyDelay;
extern int32_t DirectorView;
extern int32_t DirectorFrames;
extern int32_t OrbitAngle;
