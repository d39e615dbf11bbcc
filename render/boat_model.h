// Pose of the boat model being drawn.
#pragma once

#include <cstdint>

extern float BoatModelX;
extern float BoatModelY;
extern float BoatModelZ;
extern int32_t BoatModelHeading;
extern int32_t BoatModelRock;
