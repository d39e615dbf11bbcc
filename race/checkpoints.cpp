#include "race/checkpoints.h"

#include <cmath>

#include "base/scene_switch.h"
#include "course/stage.h"
#include "media/sound.h"
#include "race/race_math.h"
#include "race/race_state.h"
#include "race/records.h"
#include "race/replay_save.h"
#include "race/replay_state.h"
#include "race/view_state.h"

namespace {

constexpr int32_t kLastCheckpoint = kStageCheckpoints - 1;
constexpr int32_t kLastLap = kLapCount - 1;
constexpr double kWideReach = 1500.0;
// A boat in the air above 350 passes over a checkpoint.
constexpr double kGateMiddle = 150.0;
constexpr double kGateHalfHeight = 200.0;
constexpr int32_t kBannerFrames = 20;

// The results camera starts on the far side of the boat; a replay starts over instead. Nothing
// else in the course world leaves the race scene, which the race scene tells the finish by. A
// live finish enters and saves the records at once, in this very frame, and keeps the race as
// a replay file.
void FinishRace() {
    OrbitAngle = PlayerHeading + 1800;
    if (OrbitAngle > 3599) OrbitAngle -= 3600;
    CameraMode = 0;
    EnterScene(kSceneResults);
    Lap = kLastLap;
    if (ReplayMode == 0) {
        UpdateRecords();
        SaveStageRecords();
        SaveRaceReplay();
    } else {
        EnterScene(kSceneRaceSetup);
    }
}

}  // namespace

void TestPlayerCheckpoint() {
    const int32_t n = NextCheckpoint;
    if (!(std::fabs(double(PlayerX) - CheckpointX[n]) < kCheckpointReach &&
          std::fabs(double(PlayerY) - CheckpointY[n]) < kCheckpointReach &&
          std::fabs(double(PlayerZ) - kGateMiddle) < kGateHalfHeight)) {
        return;
    }
    CheckpointBanner = kBannerFrames;
    if (Scene == kSceneRace) {
        NextCheckpoint += 1;
        CheckpointsPassed += 1;
    }
    PlayEffect(GateSound);
    if (NextCheckpoint == kStageCheckpoints) {
        NextCheckpoint = 0;
        Lap += 1;
        if (Lap == kLapCount) FinishRace();
    }
}

void FadeCheckpointBanner() {
    CheckpointBanner -= 1;
}

void TestOpponentCheckpoint(int32_t i) {
    const int32_t n = OpponentNextCheckpoint[i];
    const double ax = std::fabs(double(OpponentX[i]) - CheckpointX[n]);
    const double ay = std::fabs(double(OpponentY[i]) - CheckpointY[n]);
    const double az = std::fabs(double(OpponentZ[i]) - kGateMiddle);
    if (!(ax < kWideReach && ay < kWideReach && az < kGateHalfHeight)) return;
    // The lap-closing checkpoint and the whole fourth lap must be taken as close as the player.
    const bool narrow = OpponentLap[i] == kLastLap || n == kLastCheckpoint;
    if (narrow && !(ax < kCheckpointReach && ay < kCheckpointReach)) return;
    if (Scene != kSceneRace) return;

    OpponentNextCheckpoint[i] += 1;
    if (OpponentNextCheckpoint[i] == kStageCheckpoints) {
        OpponentNextCheckpoint[i] = 0;
        OpponentLap[i] += 1;
        if (OpponentLap[i] == kLapCount) FinishedOpponents += 1;
    }
}
