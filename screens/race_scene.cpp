#include "screens/race_scene.h"

#include "base/frame_pace.h"
#include "base/keys.h"
#include "base/scene_switch.h"
#include "media/display.h"
#include "media/music.h"
#include "overlay/map_markers.h"
#include "overlay/race_hud.h"
#include "race/contacts.h"
#include "race/ghost.h"
#include "race/opponents.h"
#include "race/player_boat.h"
#include "race/race_camera.h"
#include "race/race_clock.h"
#include "race/race_keys.h"
#include "race/race_state.h"
#include "race/replay.h"
#include "race/replay_state.h"
#include "render/frame_buffer.h"
#include "screens/screen_state.h"
#include "world/course_world.h"

namespace {

// Q leaves any race for the title; in a replay the left key does too, since it does not steer.
bool LeavingForTitle() {
    return RaceQuitKey == kKeyHeld || (RaceLeftKey == kKeyHeld && ReplayMode == 1);
}

}  // namespace

void RaceScene() {
    FillFrame(kWaterBackground);
    LockFrame();
    PollRaceKeys();
    RecordSteering();
    HandleViewKey();

    UpdatePlayerBoat();
    UpdateOpponents();
    CollidePlayerWithOpponents();
    PlaceRaceCamera();
    UpdateCourseWorld();
    // Only the finish, in the checkpoint tests, leaves the race scene within the course world:
    // the results' announcement then slides in from the top.
    if (Scene != kSceneRace) ScreenFrames = 0;
    UpdateSplit();
    RockPlayerHull();

    DrawFrameBorder();
    UnlockFrame();
    DrawRaceBanners();
    AdvanceRaceFrame();
    DrawMapMarkers();
    CountLapTime();
    UpdateRacePlace();
    DrawRaceHud();

    WaitFramePace();
    PresentFrame();
    StartSceneMusic("game.mid");
    if (LeavingForTitle()) {
        StopMusic();
        EnterScene(kSceneReset);
    }
}
