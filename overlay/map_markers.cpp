#include "overlay/map_markers.h"

#include "course/stage.h"
#include "overlay/sprites.h"
#include "race/race_state.h"

namespace {

// World units to map pixels: world y runs to the left and world x upward from the map's origin
// at (610, 120). The scale is a single-precision constant, widened for the arithmetic.
constexpr float kMapScale = -0.005f;
constexpr double kOriginX = 610.0;
constexpr double kOriginY = 120.0;

// The marker cells of the sprite sheet (left edge; all are 8 x 8 from the top row).
constexpr int32_t kPlayerCell = 0;
constexpr int32_t kOpponentCell = 8;
constexpr int32_t kCheckpointCell = 16;
constexpr int32_t kCellSize = 8;

// The marker's corner, not its centre, sits on the map point.
void DrawMarker(int32_t x, int32_t y, int32_t cell) {
    BlitSprite(x, y, CharSlot, cell, 0, cell + kCellSize, kCellSize);
}

int32_t MapColumn(float worldY) {
    return static_cast<int32_t>(double(worldY) * double(kMapScale) + kOriginX);
}

int32_t MapRow(float worldX) {
    return static_cast<int32_t>(double(worldX) * double(kMapScale) + kOriginY);
}

}  // namespace

void DrawMapMarkers() {
    // The buoys' positions are whole numbers, divided as whole numbers.
    for (int i = 0; i < kStageCheckpoints; ++i) {
        DrawMarker(610 + CheckpointY[i] / -200, 120 + CheckpointX[i] / -200, kCheckpointCell);
    }
    for (int j = 0; j < kOpponentCount; ++j) {
        DrawMarker(MapColumn(OpponentY[j]), MapRow(OpponentX[j]), kOpponentCell);
    }
    // The player last, on top of everything.
    DrawMarker(MapColumn(PlayerY), MapRow(PlayerX), kPlayerCell);
}
