#include "shell/reset_game.h"

#include "base/app_state.h"
#include "base/trig_tables.h"
#include "race/race_state.h"
#include "race/replay_state.h"
#include "render/boat_model.h"
#include "render/camera_state.h"
#include "screens/title.h"

void ResetGame() {
    BuildTrigTables();

    CameraRoll = 0;
    PlayerHeading = 0;
    for (int32_t& heading : OpponentHeading) heading = 0;
    BoatModelHeading = 0;
    ReplayMode = 0;
    CameraX = 0.1f;
    PlayerX = 100.0f;
    PlayerY = 0.0f;
    PlayerZ = 450.0f;
    TitleDrift = -10;

    for (int32_t& input : ReplayInputs) input = 0;

    Scene = kSceneTitle;
}
