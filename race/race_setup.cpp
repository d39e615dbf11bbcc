#include "race/race_setup.h"

#include "course/course_state.h"
#include "race/race_state.h"
#include "race/records.h"
#include "race/replay_state.h"
#include "race/view_state.h"
#include "render/camera.h"

namespace {

void ResetPlayer() {
    PlayerX = 600.1f;
    PlayerY = 2000.1f;
    PlayerZ = 170.1f;
    PlayerHeading = 0;
    PlayerSpeed = 600;
    PlayerVX = 0;
    PlayerVY = 0;
    PlayerVZ = 3;
    PlayerAirborne = 0;
    PlayerRoll = 0;
    PlayerPitch = 0;
    PitchSpring = 80;
    PitchRate = 0;
    PlayerRock = 10;
    PlayerRockStep = -1;
}

// The grid: two staggered rows behind the start, each boat a little faster than the last.
void ResetOpponents() {
    for (int i = 0; i < kOpponentCount; ++i) {
        OpponentX[i] = float(1400.1 + 800.0 * i);
        OpponentY[i] = i % 2 == 0 ? 1400.1f : 2000.1f;
        OpponentZ[i] = 170.1f;
        OpponentVX[i] = 200.0f;
        OpponentVY[i] = 0.0f;
        OpponentVZ[i] = 0.0f;
        OpponentHeading[i] = 0;
        OpponentCruise[i] = 520 + 28 * i;
        OpponentSpeed[i] = 520 + 28 * i;
        OpponentAirborne[i] = 0;
        OpponentBob[i] = 6.0f;
        OpponentBobStep[i] = 1.0f;
        OpponentNextCheckpoint[i] = 0;
        OpponentLap[i] = 0;
    }
}

void ResetProgress() {
    NextCheckpoint = 0;
    Lap = 0;
    for (double& time : LapTimes) time = 0.0;
    RaceFrame = 1;
    FinishedOpponents = 1;
    CheckpointsPassed = 0;
    CheckpointBanner = 0;
    RecordedTotal = -1.0;
}

// The views start with the chase camera; the camera itself is parked high above the middle
// of the course, looking down.
void ResetViews() {
    CameraMode = 0;
    CameraKeyDelay = 0;
    DirectorView = 0;
    DirectorFrames = 0;
    OrbitAngle = 0;
    MoveCamera(11500.0f, 11500.0f, 25000.0f);
    TurnCamera(0, 270);
    SetCameraRoll(0);
}

int32_t WrappingProduct(int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) * static_cast<uint32_t>(b));
}

}  // namespace

void ApplyOpponentPace() {
    for (int i = 0; i < kOpponentCount; ++i) {
        // Products beyond 32 bits wrap instead of being undefined; sane paces never get there.
        OpponentCruise[i] = WrappingProduct(OpponentCruise[i] / 10, OpponentPace);
        OpponentSpeed[i] = WrappingProduct(OpponentSpeed[i] / 10, OpponentPace);
    }
}

void ResetRace() {
    ResetPlayer();
    ResetOpponents();
    ResetProgress();
    ResetViews();
}
