#include "race/ghost_race.h"

#include <cstddef>
#include <cstring>
#include <vector>

#include "base/scene_switch.h"
#include "course/stage.h"
#include "media/sound.h"
#include "race/checkpoints.h"
#include "race/contacts.h"
#include "race/opponents.h"
#include "race/player_boat.h"
#include "race/race_clock.h"
#include "race/race_setup.h"
#include "race/race_state.h"
#include "race/records.h"
#include "race/replay_state.h"
#include "race/view_state.h"
#include "render/camera.h"

namespace {

struct Region {
    void* at;
    size_t size;
};

template <typename T>
Region Of(T& global) {
    return {&global, sizeof global};
}

// Everything of the race a race frame may write: the boats, the progress, the keys, the views and
// the steering record. What other folders own is put back through their functions.
std::vector<Region> RaceRegions() {
    return {Of(PlayerX),
            Of(PlayerY),
            Of(PlayerZ),
            Of(PlayerHeading),
            Of(PlayerSpeed),
            Of(PlayerVX),
            Of(PlayerVY),
            Of(PlayerVZ),
            Of(PlayerAirborne),
            Of(PlayerRoll),
            Of(PlayerPitch),
            Of(PitchSpring),
            Of(PitchRate),
            Of(PlayerRock),
            Of(PlayerRockStep),
            Of(OpponentX),
            Of(OpponentY),
            Of(OpponentZ),
            Of(OpponentVX),
            Of(OpponentVY),
            Of(OpponentVZ),
            Of(OpponentHeading),
            Of(OpponentCruise),
            Of(OpponentSpeed),
            Of(OpponentAirborne),
            Of(OpponentBob),
            Of(OpponentBobStep),
            Of(OpponentNextCheckpoint),
            Of(OpponentLap),
            Of(NextCheckpoint),
            Of(Lap),
            Of(LapTimes),
            Of(RaceFrame),
            Of(FinishedOpponents),
            Of(CheckpointsPassed),
            Of(CheckpointBanner),
            Of(PlayerRaceScore),
            Of(RacePlace),
            Of(RecordedTotal),
            Of(RaceDownKey),
            Of(RaceLeftKey),
            Of(RaceRightKey),
            Of(RaceQuitKey),
            Of(CameraMode),
            Of(CameraKeyDelay),
            Of(DirectorView),
            Of(DirectorFrames),
            Of(OrbitAngle),
            Of(ReplayInputs),
            Of(ReplayMode)};
}

class SavedGame {
  public:
    SavedGame() : regions_(RaceRegions()) {
        for (const Region& region : regions_) {
            const auto* bytes = static_cast<const unsigned char*>(region.at);
            bytes_.insert(bytes_.end(), bytes, bytes + region.size);
        }
        scene_ = Scene;
        pace_ = OpponentPace;
        cameraX_ = CameraX;
        cameraY_ = CameraY;
        cameraZ_ = CameraZ;
        cameraHeading_ = CameraHeading;
        cameraPitch_ = CameraPitch;
        cameraRoll_ = CameraRoll;
        silenced_ = EffectsSilenced != 0;
    }

    void Restore() const {
        size_t offset = 0;
        for (const Region& region : regions_) {
            std::memcpy(region.at, bytes_.data() + offset, region.size);
            offset += region.size;
        }
        EnterScene(scene_);
        SetOpponentPace(pace_);
        // The start grid parks the camera high above the water; it goes back where it was.
        MoveCamera(cameraX_, cameraY_, cameraZ_);
        TurnCamera(cameraHeading_, cameraPitch_);
        SetCameraRoll(cameraRoll_);
        SilenceEffects(silenced_);
    }

  private:
    std::vector<Region> regions_;
    std::vector<unsigned char> bytes_;
    int32_t scene_ = 0;
    int32_t pace_ = 0;
    float cameraX_ = 0.0f;
    float cameraY_ = 0.0f;
    float cameraZ_ = 0.0f;
    int32_t cameraHeading_ = 0;
    int32_t cameraPitch_ = 0;
    int32_t cameraRoll_ = 0;
    bool silenced_ = false;
};

GhostPose PlayerPose() {
    return {PlayerX, PlayerY, PlayerZ, PlayerHeading, PlayerPitch, PlayerRoll, PlayerRock};
}

// What a race frame computes, in the race scene's order, leaving out what only draws or
// listens. The course world tests the player's checkpoint between its buoys, so a pass tests
// the later buoys against the new checkpoint; the opponents' tests come after all buoys.
void RunRaceFrame() {
    UpdatePlayerBoat();
    UpdateOpponents();
    CollidePlayerWithOpponents();
    for (int32_t i = 0; i < kStageCheckpoints; ++i) {
        if (i == NextCheckpoint) TestPlayerCheckpoint();
    }
    for (int32_t j = 0; j < kOpponentCount; ++j) TestOpponentCheckpoint(j);
    RockPlayerHull();
    AdvanceRaceFrame();
    CountLapTime();
}

// The race as a replay starts it: the start grid, the replay's pace and steering.
void StartGhostRace(const ReplayFile& replay) {
    SilenceEffects(true);
    SetOpponentPace(replay.pace);
    std::memcpy(ReplayInputs, replay.steering, sizeof ReplayInputs);
    ReplayMode = 1;
    ResetRace();
    ApplyOpponentPace();
    EnterScene(kSceneRace);
}

}  // namespace

void RunGhostRace(const ReplayFile& replay, GhostTrack& track) {
    const SavedGame saved;
    StartGhostRace(replay);

    track.poses[0] = PlayerPose();
    for (int32_t& frame : track.passFrames) frame = 0;
    track.lastFrame = 0;
    track.total = -1.0;
    while (Scene == kSceneRace) {
        const int32_t frame = RaceFrame;
        const int32_t passed = CheckpointsPassed;
        RunRaceFrame();
        track.poses[frame] = PlayerPose();
        for (int32_t pass = passed; pass < CheckpointsPassed && pass < kRacePasses; ++pass) {
            track.passFrames[pass] = frame;
        }
        track.lastFrame = frame;
    }
    // After the finishing frame lap 4 holds that frame's time, as the records count it.
    if (CheckpointsPassed >= kRacePasses) track.total = RaceTotal();
    saved.Restore();
}
