#include "race/ghost_state.h"

GhostTrack RacingGhost = {};
int32_t GhostRacing = 0;
int32_t GhostIsKeptBest = 0;
int32_t KeptGhostsRace = 1;
ReplayFile GivenGhost;
int32_t GivenGhostReady = 0;
int32_t SplitFrames = 0;
int32_t SplitOnShow = 0;
int32_t SplitPasses = 0;
