// The water of the course: a 21 x 21 wireframe height field, 1200 units between points.
#pragma once

#include <cstdint>

#include "render/render_state.h"
#include "world/world_state.h"

constexpr double kWaterGridSpacing = 1200.0;

// Projects the 441 points at their WaveHeight and draws up to 800 lines in DrawColour. Only
// the points of the first 20 rows and columns start lines, so the grid's outline is open
// along y = 24000 and x = 24000.
void DrawWaterGrid();
