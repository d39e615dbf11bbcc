#include "screens/race_setup_scene.h"

#include "base/scene_switch.h"
#include "course/stage.h"
#include "race/ghost.h"
#include "race/race_setup.h"
#include "race/replay_state.h"
#include "world/course_reset.h"

void ResetRaceState() {
    ResetRace();
    ForgetGhostRace();
    ResetCourseAnimation();
}

void RaceSetup() {
    ResetRaceState();

    if (ReplayMode == 1) {
        // A replay runs again on the loaded stage with the pace its race had.
        ApplyOpponentPace();
        EnterScene(kSceneRace);
        return;
    }
    EnterScene(kSceneStageSelect);
    SetStageNumber(1);
    LoadStage(1);
}
