#include "race/race_camera.h"

#include <cmath>

#include "base/angles.h"
#include "base/keys.h"
#include "course/stage.h"
#include "race/race_state.h"
#include "race/replay_state.h"
#include "race/view_state.h"
#include "render/camera.h"

namespace {

constexpr int32_t kViewKeyDelay = 10;
constexpr int32_t kLastLiveView = kViewCockpit;
constexpr int32_t kLastReplayView = kViewRivalsEye;
// The director cuts to its next shot every 601 frames; each shot but the first opens with 300
// frames from the trackside camera.
constexpr int32_t kShotFrames = 600;
constexpr int32_t kTracksideFrames = 300;
constexpr int32_t kDirectorShots = 5;

void PlaceAt(double x, double y, double z, int32_t heading, int32_t pitch) {
    MoveCamera(static_cast<float>(x), static_cast<float>(y), static_cast<float>(z));
    TurnCamera(heading, pitch);
}

// A point `distance` ahead of the player's bow (behind it when negative).
double AheadX(double distance) {
    return double(PlayerX) + distance * double(CosTable[PlayerHeading]);
}
double AheadY(double distance) {
    return double(PlayerY) + distance * double(SinTable[PlayerHeading]);
}

// Turns the camera, already in place, toward the player's boat.
void AimAtPlayer() {
    const double dx = double(PlayerX) - double(CameraX);
    const double dy = double(PlayerY) - double(CameraY);
    const int32_t heading = BearingOf(dy, dx);
    const int32_t pitch =
        BearingOf(double(PlayerZ) - double(CameraZ), std::sqrt(dx * dx + dy * dy));
    TurnCamera(heading, pitch);
    SetCameraRoll(0);
}

void PlaceCockpit(double height) {
    PlaceAt(PlayerX, PlayerY, double(PlayerZ) + height, PlayerHeading, PlayerPitch);
}

void PlaceReplayView(int32_t view) {
    switch (view) {
        case kViewLowCockpit:
            PlaceCockpit(50.0);
            break;
        case kViewFromAhead: {
            int32_t heading = PlayerHeading + 1800;
            if (heading > 3599) heading -= 3600;
            PlaceAt(AheadX(1900.0), AheadY(1900.0), double(PlayerZ) + 500.0, heading, 3500);
            break;
        }
        case kViewFromAbove:
            PlaceAt(PlayerX, PlayerY, 5000.0, PlayerHeading, 2700);
            SetCameraRoll(0);
            break;
        case kViewBelowBehind:
            PlaceAt(AheadX(-2800.0), AheadY(-2800.0), -1000.0, PlayerHeading, 250);
            SetCameraRoll(0);
            break;
        case kViewWholeCourse:
            PlaceAt(11500.0, 11500.0, 25000.0, 0, 2700);
            SetCameraRoll(0);
            break;
        case kViewRivalsEye:
            MoveCamera(OpponentX[kRivalSlot], OpponentY[kRivalSlot],
                       static_cast<float>(double(OpponentZ[kRivalSlot]) + 100.0));
            AimAtPlayer();
            break;
    }
}

// The trackside camera of the checkpoint the player makes for, turned toward the boat.
void PlaceTrackside() {
    const int32_t n = NextCheckpoint;
    MoveCamera(static_cast<float>(CameraStandX[n]), static_cast<float>(CameraStandY[n]),
               static_cast<float>(CameraStandZ[n]));
    AimAtPlayer();
}

// The director's shots after their trackside opening; the first is trackside throughout.
constexpr int32_t kShotViews[kDirectorShots] = {kViewDirector, kViewFromAhead, kViewLowCockpit,
                                                kViewRivalsEye, kViewBelowBehind};

bool OnTrackside() {
    return DirectorFrames < kTracksideFrames || DirectorView == 0;
}

void Direct() {
    DirectorFrames += 1;
    if (DirectorFrames > kShotFrames) {
        DirectorFrames = 0;
        DirectorView += 1;
        if (DirectorView >= kDirectorShots) DirectorView = 0;
    }
    if (OnTrackside()) {
        PlaceTrackside();
        return;
    }
    PlaceReplayView(kShotViews[DirectorView]);
}

// The replay view the camera shows now: the chosen one, or the director's current shot (the
// trackside camera, which rides no boat, counts as the director's own view).
int32_t ReplayViewInUse() {
    if (CameraMode != kViewDirector || OnTrackside()) return CameraMode;
    return kShotViews[DirectorView];
}

}  // namespace

void HandleViewKey() {
    if (RaceDownKey == kKeyHeld && CameraKeyDelay == 0) {
        CameraKeyDelay = kViewKeyDelay;
        CameraMode += 1;
        const int32_t last = ReplayMode == 1 ? kLastReplayView : kLastLiveView;
        if (CameraMode > last) CameraMode = 0;
    } else if (CameraKeyDelay > 0) {
        CameraKeyDelay -= 1;
    }
}

void ChooseFirstView() {
    CameraMode = 0;
}

CameraBoat BoatCarryingCamera() {
    if (ReplayMode != 1) return CameraMode == kViewCockpit ? CameraBoat::Player : CameraBoat::None;
    const int32_t view = ReplayViewInUse();
    if (view == kViewLowCockpit) return CameraBoat::Player;
    if (view == kViewRivalsEye) return CameraBoat::Rival;
    return CameraBoat::None;
}

void PlaceRaceCamera() {
    if (ReplayMode != 1) {
        if (CameraMode == kViewCockpit) {
            PlaceCockpit(100.0);
        } else {
            PlaceChaseCamera();
        }
        return;
    }
    if (CameraMode == kViewDirector) {
        Direct();
    } else {
        PlaceReplayView(CameraMode);
    }
}

void PlaceChaseCamera() {
    PlaceAt(AheadX(-1800.0), AheadY(-1800.0), double(PlayerZ) + 400.0, PlayerHeading, 3500);
}

void SetOrbitAngle(int32_t angle) {
    OrbitAngle = ((angle % 3600) + 3600) % 3600;
}

void PlaceOrbitCamera(double centreX, double centreY, double radius, double z) {
    const int32_t a = OrbitAngle;
    int32_t heading = a + 1800;
    if (heading > 3599) heading -= 3600;
    PlaceAt(centreX + radius * double(CosTable[a]), centreY + radius * double(SinTable[a]), z,
            heading, 3500);
    OrbitAngle += 10;
    if (OrbitAngle > 3599) OrbitAngle = 0;
}
