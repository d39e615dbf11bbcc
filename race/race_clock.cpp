#include "race/race_clock.h"

#include <cstdlib>

#include "base/scene_switch.h"
#include "course/stage.h"
#include "race/race_math.h"
#include "race/race_state.h"
#include "race/replay_state.h"
#include "race/view_state.h"

namespace {

// Distance still to go, crudely: a million a lap, a hundred thousand a checkpoint, and the
// distance to the next checkpoint along the axes.
int32_t RaceScore(float x, float y, int32_t lap, int32_t next) {
    return std::abs(TruncateToInt(CheckpointY[next] - double(y))) +
           std::abs(TruncateToInt(CheckpointX[next] - double(x))) + (55 - 10 * lap - next) * 100000;
}

}  // namespace

void AdvanceRaceFrame() {
    RaceFrame += 1;
    if (RaceFrame > kRaceFrameLimit) {
        // The results circle the boat from outside, as after a finish: from the cockpit the
        // boat itself would not be drawn.
        CameraMode = 0;
        EnterScene(kSceneRaceSetup);
        if (ReplayMode != 1) EnterScene(kSceneResults);
    }
}

void CountLapTime() {
    LapTimes[Lap] += kRaceFrameTime;
}

void UpdateRacePlace() {
    RacePlace = ComputeRacePlace();
}

int32_t ComputeRacePlace() {
    PlayerRaceScore = RaceScore(PlayerX, PlayerY, Lap, NextCheckpoint);
    int32_t place = 1;
    for (int32_t i = 0; i < kOpponentCount; ++i) {
        if (RaceScore(OpponentX[i], OpponentY[i], OpponentLap[i], OpponentNextCheckpoint[i]) <
            PlayerRaceScore) {
            place += 1;
        }
    }
    return place;
}
