#include "world/course_world.h"

#include <cmath>

#include "base/angles.h"
#include "base/app_state.h"
#include "base/random.h"
#include "course/fenced_water.h"
#include "course/stage.h"
#include "media/palette.h"
#include "race/checkpoints.h"
#include "race/ghost.h"
#include "race/race_camera.h"
#include "race/race_state.h"
#include "race/view_state.h"
#include "render/boat_model.h"
#include "render/buoy_tree.h"
#include "render/frame_buffer.h"
#include "render/projection.h"
#include "render/scenery.h"
#include "render/water_grid.h"
#include "world/world_state.h"

namespace {

constexpr double kWaterLevel = 100.0;
constexpr double kBuoySize = 700.0;
constexpr int32_t kBuoyLevel = 70;

// Palette indices of the course.
constexpr int32_t kNextBuoyColour = kRedEntry;
constexpr int32_t kBuoyAfterColour = kGreenEntry;
constexpr int32_t kBuoyColour = kYellowEntry;
constexpr int32_t kRampColour = kYellowEntry;
constexpr int32_t kWaterColour = kBlueEntry;
constexpr int32_t kPadColour = kMagentaEntry;
constexpr int32_t kWakeColour = kCyanEntry;
constexpr int32_t kMapLineColour = kCyanEntry;
constexpr int32_t kWhite = kWhiteEntry;
constexpr int32_t kBlack = kBlackEntry;

bool Drawing() {
    return FrameBits != nullptr;
}

// Each grid point swings about the water level with its own amplitude. The last row and column
// stay flat.
void MoveWater() {
    for (int i = 0; i < kWaterGridSide - 1; ++i) {
        for (int j = 0; j < kWaterGridSide - 1; ++j) {
            const int k = kWaterGridSide * i + j;
            WaveHeight[k] = static_cast<float>(double(WaveHeight[k]) + double(WaveSpeed[k]));
            WaveSpeed[k] = static_cast<float>(double(WaveHeight[k]) <= kWaterLevel
                                                  ? double(WaveSpeed[k]) + 1.0
                                                  : double(WaveSpeed[k]) - 1.0);
        }
    }
}

int32_t BobBuoy(int i) {
    CheckpointBob[i] += CheckpointBobSpeed[i];
    CheckpointBobSpeed[i] += CheckpointBob[i] <= kBuoyLevel ? 1 : -1;
    return CheckpointBob[i];
}

// The buoy to make for is red, the one after it green (never checkpoint 5), the rest yellow.
int32_t BuoyColour(int i) {
    if (i == NextCheckpoint) return kNextBuoyColour;
    if ((i == NextCheckpoint + 1 && i < kStageCheckpoints - 1) || (i == 0 && NextCheckpoint == 5)) {
        return kBuoyAfterColour;
    }
    return kBuoyColour;
}

// The flag hangs from the top of the pole and points along the course; a black line on the
// water leads toward the next buoy.
void DrawFlagAndCourseLine(double x, double y, double b, double c, double s) {
    SetDrawColour(kWhite);
    DrawLine3D(x, y, b + 1300.0, x - 1000.0 * c, y - 1000.0 * s, b + 900.0);
    DrawLine3D(x, y, b + 700.0, x - 1000.0 * c, y - 1000.0 * s, b + 900.0);
    DrawLine3D(x, y, b + 700.0, x, y, b + 1300.0);
    SetDrawColour(kBlack);
    DrawLine3D(x, y, b, x - 1300.0 * c, y - 1300.0 * s, b);
}

// The player's checkpoint test runs right after the buoy it concerns, so a pass colours and
// tests the later buoys against the new checkpoint: two overlapping zones pass in one frame.
void BobDrawAndTestBuoys() {
    CloseCircuit();
    for (int i = 0; i < kStageCheckpoints; ++i) {
        const double x = CheckpointX[i];
        const double y = CheckpointY[i];
        const double b = BobBuoy(i);
        if (Drawing()) {
            const int32_t a = BearingOf(y - CheckpointY[i + 1], x - CheckpointX[i + 1]);
            DrawFlagAndCourseLine(x, y, b, CosOf(a), SinOf(a));
            DrawBuoy(x, y, b, kBuoySize, BuoyColour(i));
        }
        if (i == NextCheckpoint) TestPlayerCheckpoint();
    }
}

void DrawWake() {
    SetDrawColour(kWakeColour);
    if (Scene != kSceneRace || !Drawing()) return;
    for (int k = 0; k < kWakeMarks; ++k)
        DrawLine3D(WakeX[k], WakeY[k], 120.0, WakeX[k], WakeY[k], 100.0);
}

// A mark lands between 150 below and 177 above the boat on each axis.
void LayWakeMark(float x, float y) {
    const int32_t r1 = Random() / 100;
    const int32_t r2 = Random() / 100;
    WakeX[WakeNext] = double(x) + r1 - 150;
    WakeY[WakeNext] = double(y) + r2 - 150;
    WakeNext += 1;
    if (WakeNext == kWakeMarks) WakeNext = 0;
}

void LayWakeAndTestOpponents() {
    if (PlayerAirborne == 0) LayWakeMark(PlayerX, PlayerY);
    for (int32_t j = 0; j < kOpponentCount; ++j) {
        if (OpponentAirborne[j] == 0) LayWakeMark(OpponentX[j], OpponentY[j]);
        TestOpponentCheckpoint(j);
    }
}

// The ramp and the pad: square pyramids 500 across and 250 high on the water.
void DrawPyramid(double x, double y, int32_t colour) {
    SetDrawColour(colour);
    DrawLine3D(x, y, 350.0, x - 250.0, y - 250.0, 100.0);
    DrawLine3D(x, y, 350.0, x + 250.0, y - 250.0, 100.0);
    DrawLine3D(x, y, 350.0, x - 250.0, y + 250.0, 100.0);
    DrawLine3D(x, y, 350.0, x + 250.0, y + 250.0, 100.0);
    DrawLine3D(x - 250.0, y - 250.0, 100.0, x - 250.0, y + 250.0, 100.0);
    DrawLine3D(x + 250.0, y - 250.0, 100.0, x + 250.0, y + 250.0, 100.0);
    DrawLine3D(x + 250.0, y - 250.0, 100.0, x - 250.0, y - 250.0, 100.0);
    DrawLine3D(x - 250.0, y + 250.0, 100.0, x + 250.0, y + 250.0, 100.0);
}

// A boat's outline reaches this far from its middle along either axis, whatever its heading.
constexpr float kBoatReach = 400.0f;

// In the live race the ghost stands where its boat stood after this race frame, rocking as it
// rocked before it, as the player's boat is drawn; it goes once its race is over. From the
// cockpit a ghost that overlaps the player's boat is left out, as that boat is: the camera
// sits inside it.
void DrawGhost(CameraBoat carrier) {
    GhostPose pose;
    if (Scene != kSceneRace || !GhostAfterFrame(RaceFrame, pose)) return;
    if (carrier == CameraBoat::Player && std::fabs(pose.x - PlayerX) < kBoatReach &&
        std::fabs(pose.y - PlayerY) < kBoatReach) {
        return;
    }
    const int32_t rock = RacingGhost.poses[RaceFrame - 1].rock;
    DrawGhostBoat(pose.x, pose.y, pose.z, pose.heading, rock, kGhostEntry);
}

// The boat that carries the camera is left out; the ghost comes after the opponents.
void DrawBoats() {
    const CameraBoat carrier = BoatCarryingCamera();
    for (int32_t j = 0; j < kOpponentCount; ++j) {
        if (j == kRivalSlot && carrier == CameraBoat::Rival) continue;
        DrawOpponentAsItStands(j);
    }
    DrawGhost(carrier);
    if (carrier != CameraBoat::Player) DrawPlayerBoat();
}

// Posts along the x edges stand 400 high, those along the y edges 300.
void DrawFence() {
    SetDrawColour(kWhite);
    for (int k = 2400; k <= 21600; k += 2400) {
        DrawLine3D(k, kFenceLow, kWaterLevel, k, kFenceLow, 500.0);
        DrawLine3D(kFenceLow, k, kWaterLevel, kFenceLow, k, 400.0);
        DrawLine3D(k, kFenceHigh, kWaterLevel, k, kFenceHigh, 500.0);
        DrawLine3D(kFenceHigh, k, kWaterLevel, kFenceHigh, k, 400.0);
    }
}

// World x runs up the map and world y to the left, at 1/200 of the world's scale.
void DrawMapLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    DrawLine(614 - y1 / 200, 124 - x1 / 200, 614 - y2 / 200, 124 - x2 / 200);
}

void DrawCourseMap() {
    SetDrawColour(kMapLineColour);
    for (int i = 0; i < kStageCheckpoints - 1; ++i) {
        DrawMapLine(CheckpointX[i], CheckpointY[i], CheckpointX[i + 1], CheckpointY[i + 1]);
    }
    DrawMapLine(CheckpointX[0], CheckpointY[0], CheckpointX[5], CheckpointY[5]);
    SetDrawColour(kWhite);
    DrawLine(500, 10, 614, 10);
    DrawLine(614, 10, 614, 124);
    DrawLine(614, 124, 500, 124);
    DrawLine(500, 124, 500, 10);
}

}  // namespace

void DrawOpponentAsItStands(int32_t slot) {
    const BoatModelPose pose = {OpponentX[slot], OpponentY[slot], OpponentZ[slot],
                                OpponentHeading[slot], OpponentBob[slot]};
    DrawOpponentBoat(pose, slot);
}

void UpdateCourseWorld() {
    MoveWater();
    if (Drawing()) {
        DrawScenery();
        SetDrawColour(kWaterColour);
        DrawWaterGrid();
    }
    BobDrawAndTestBuoys();
    DrawWake();
    LayWakeAndTestOpponents();
    if (Drawing()) {
        DrawPyramid(JumpRampX, JumpRampY, kRampColour);
        DrawPyramid(BoostPadX, BoostPadY, kPadColour);
        DrawBoats();
        DrawFence();
        DrawCourseMap();
    }
    SetDrawColour(kWhite);
}
