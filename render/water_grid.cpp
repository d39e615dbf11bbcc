#include "render/water_grid.h"

#include "render/frame_buffer.h"
#include "render/projection.h"

namespace {

// Screen column of every grid point (row by row, as WaveHeight), rewritten by every draw.
int32_t GridScreenX[kWaterGridPoints];
// Screen row of every grid point.
int32_t GridScreenY[kWaterGridPoints];

}  // namespace

void DrawWaterGrid() {
    for (int i = 0; i < kWaterGridSide; ++i) {
        for (int j = 0; j < kWaterGridSide; ++j) {
            const int k = kWaterGridSide * i + j;
            ProjectPoint(kWaterGridSpacing * j, kWaterGridSpacing * i, WaveHeight[k]);
            GridScreenX[k] = ProjX;
            GridScreenY[k] = ProjY;
            GridVisible[k] = ProjDepth > 0 ? 1 : 0;
        }
    }

    // The water's own test is only "in front of the camera": lines far off screen go to the
    // clipper as they are.
    for (int i = 0; i < kWaterGridSide - 1; ++i) {
        for (int j = 0; j < kWaterGridSide - 1; ++j) {
            const int k = kWaterGridSide * i + j;
            if (GridVisible[k] == 0) continue;
            const int across = k + kWaterGridSide;
            if (GridVisible[across] == 1) {
                DrawLine(GridScreenX[k], GridScreenY[k], GridScreenX[across], GridScreenY[across]);
            }
            const int along = k + 1;
            if (GridVisible[along] == 1) {
                DrawLine(GridScreenX[k], GridScreenY[k], GridScreenX[along], GridScreenY[along]);
            }
        }
    }
}
