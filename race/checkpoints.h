// Checkpoints, laps and the finish. The course world runs these tests between its buoys; they
// move a counter only in the race scene.
#pragma once

#include <cstdint>

// A boat passes a checkpoint within this distance of its buoy on both axes.
constexpr double kCheckpointReach = 700.0;

// The player against checkpoint NextCheckpoint: inside its zone the banner and the chime come
// every frame; in the race the checkpoint counts, and the 24th ends the race.
void TestPlayerCheckpoint();

// One frame of the CHECK POINT banner shown.
void FadeCheckpointBanner();

// Opponent `i` against its next checkpoint; the first three laps' checkpoints 0 to 4 may be
// taken wide.
void TestOpponentCheckpoint(int32_t i);
