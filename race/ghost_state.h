// The ghost: the player's boat of a replay, raced beside the live race without touching it, and
// the split times against it.
#pragma once

#include <cstdint>

#include "course/stage_file.h"
#include "race/race_state.h"
#include "race/replay_file.h"
#include "race/replay_state.h"

// Checkpoint passes in a whole race, six a lap; the last one is the finish.
constexpr int32_t kRacePasses = kLapCount * kStageCheckpoints;

// Where the ghost's boat stands after one race frame, as the player's boat stood.
struct GhostPose {
    float x;
    float y;
    float z;
    int32_t heading;
    int32_t pitch;
    int32_t roll;
    int32_t rock;
};

// A replay's race as the game's own simulation runs it.
struct GhostTrack {
    GhostPose poses[kReplayFrames];   // by race frame; 0 is the start grid
    int32_t lastFrame;                // the race frame its race ended in: finish or time-up
    int32_t passFrames[kRacePasses];  // the race frame of each checkpoint pass, 0 where none
    double total;                     // as the records hold a total; negative after a time-up
};

// The live race's ghost, while GhostRacing is 1.
extern GhostTrack RacingGhost;
// 1 while a ghost races the live race, else 0.
extern int32_t GhostRacing;
// 1 when the racing ghost is the course's kept best, else 0.
extern int32_t GhostIsKeptBest;
// 1 when a course races its kept best ghost: the game's default, the runner's with --ghost.
extern int32_t KeptGhostsRace;
// The replay given to race against on its own course, while GivenGhostReady is 1.
extern ReplayFile GivenGhost;
// 1 once a replay to race against has been read and checked, else 0.
extern int32_t GivenGhostReady;
// The split on show: race frames the player is behind the ghost (negative when ahead).
extern int32_t SplitFrames;
// 1 while the split shows under the CHECK POINT banner, else 0.
extern int32_t SplitOnShow;
// Checkpoint passes the split has been worked out for, 0..kRacePasses.
extern int32_t SplitPasses;
