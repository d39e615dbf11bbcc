// Race time, the time limit and the running place.
#pragma once

#include <cstdint>

// Race frames after which time is up.
constexpr int32_t kRaceFrameLimit = 5990;

// Seconds of race time each race frame counts, whatever the frame really took.
constexpr double kRaceFrameTime = 0.038;

// Counts the frame; past the limit a live race goes to the results, a replay starts over.
void AdvanceRaceFrame();

// Adds the frame's time to the current lap.
void CountLapTime();

// The player's place, 1..8, from this frame's positions: one ahead of the player for every
// opponent with less distance still to go. A tie leaves the player ahead.
int32_t ComputeRacePlace();

// Keeps this frame's place in RacePlace for the display.
void UpdateRacePlace();
