// Scene 2: every boat on the start grid and the race, the views, the camera and the course
// animation back to their start, before every race and every replay.
#pragma once

// The scene 2 handler. A live race goes on to the stage select with stage 1 loaded; a replay
// starts at once on the stage it was driven on.
void RaceSetup();

// The race and the course world back to their start values; the part of RaceSetup that does not
// change scene.
void ResetRaceState();
