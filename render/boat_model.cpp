#include "render/boat_model.h"

float BoatModelX = 0.0f;
float BoatModelY = 0.0f;
float BoatModelZ = 0.0f;
int32_t BoatModelHeading = 0;
int32_t BoatModelRock = 0;
