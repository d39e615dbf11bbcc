// A plausible course at its start grid, for looking at and timing the wireframe world before
// a stage is loaded: six checkpoints round the water, the seven opponents in their grid, the
// player behind them, flat water, and the chase camera behind the player.
#pragma once

#include "race/race_setup.h"
#include "race/race_state.h"
#include "render/boat_model.h"
#include "render/buoy_tree.h"
#include "render/camera_state.h"
#include "render/frame_buffer.h"
#include "render/scenery.h"
#include "render/water_grid.h"
#include "screens/race_setup_scene.h"
#include "world/course_world.h"
#include "world/world_state.h"

namespace sample_grid {

inline constexpr double kCheckpointX[kStageCheckpoints] = {9000, 20500, 21500, 15000, 5000, 2500};
inline constexpr double kCheckpointY[kStageCheckpoints] = {2000, 4000, 14000, 21000, 20000, 10000};

// Sets the race up as at its start (boats on the grid, flat water), with the player's hull
// level, and puts the chase camera 1800 behind and 400 above the player, looking 10 degrees
// down.
inline void Place() {
    ResetRaceState();
    PlayerRock = 0;

    CameraX = -1199.9f;
    CameraY = 2000.1f;
    CameraZ = 570.1f;
    CameraHeading = 0;
    CameraPitch = 3500;
    CameraRoll = 0;
}

// Scenery, water, the six buoys (the first to make for in red, the next in green) and the
// eight boats: most of what a race frame draws.
inline void Draw() {
    DrawScenery();
    DrawColour = 252;
    DrawWaterGrid();
    for (int i = 0; i < kStageCheckpoints; ++i) {
        const int32_t colour = i == 0 ? 249 : i == 1 ? 250 : 251;
        DrawBuoy(kCheckpointX[i], kCheckpointY[i], 100.0, 700.0, colour);
    }
    for (int i = 0; i < kOpponentCount; ++i) DrawOpponentAsItStands(i);
    DrawPlayerBoat();
}

}  // namespace sample_grid
