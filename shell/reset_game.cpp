#include "shell/reset_game.h"

#include "base/scene_switch.h"
#include "base/trig_tables.h"
#include "race/replay.h"
#include "race/title_pose.h"
#include "render/camera.h"
#include "screens/title.h"

void ResetGame() {
    BuildTrigTables();

    // The title's camera starts level at the middle along x; the title sets the rest every frame.
    SetCameraRoll(0);
    MoveCamera(0.1f, CameraY, CameraZ);
    ParkBoatsForTitle();
    ResetTitleAnimation();
    ForgetReplay();

    EnterScene(kSceneTitle);
}
