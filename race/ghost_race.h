// Running a replay's race as a ghost: the game's own simulation, frame by frame from the start
// grid with the replay's steering and pace, its opponents pushing the boat as they did.
#pragma once

#include "race/ghost_state.h"
#include "race/replay_file.h"

// Runs `replay`'s race through to its finish or time-up without drawing or sound, filling
// `track` with the player's boat after every race frame and the frame of every checkpoint
// pass. Every state it passes through is put back as it found it, so it may run at any moment,
// even inside a race frame.
void RunGhostRace(const ReplayFile& replay, GhostTrack& track);
