// The water of the course: a 21 x 21 wireframe height field, 1200 units between points.
#pragma once

#include <cstdint>

#include "world/world_state.h"

// Screen position of every grid point (row by row, as WaveHeight) and 1 where the point lies
// at least one unit ahead of the camera. Rewritten by every DrawWaterGrid.
extern int32_t GridScreenX[kWaterGridPoints];
extern int32_t GridScreenY[kWaterGridPoints];
extern int32_t GridVisible[kWaterGridPoints];

constexpr double kWaterGridSpacing = 1200.0;

// Projects the 441 points at their WaveHeight and draws up to 800 lines in DrawColour. Only
// the points of the first 20 rows and columns start lines, so the grid's outline is open
// along y = 24000 and x = 24000.
void DrawWaterGrid();
