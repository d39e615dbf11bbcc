#include "render/render_state.h"

int32_t ProjX = 0;
int32_t ProjY = 0;
int32_t ProjDepth = 0;
int32_t QuadX[4] = {};
int32_t QuadY[4] = {};
int32_t QuadDepth[4] = {};
float BoatModelRock = 0.0f;
int32_t GridVisible[kWaterGridPoints];
