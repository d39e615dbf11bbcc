#include "shell/scene_table.h"

#include <iterator>

#include "base/app_state.h"
#include "race/race_setup.h"
#include "screens/countdown.h"
#include "screens/opening.h"
#include "screens/race_scene.h"
#include "screens/race_setup_scene.h"
#include "screens/results.h"
#include "screens/settings_scene.h"
#include "screens/stage_select.h"
#include "screens/title.h"
#include "shell/reset_game.h"

namespace {

constexpr SceneHandler kHandlers[] = {
    ResetGame,         // 0 table building and reset
    TitleScreen,       // 1 title
    RaceSetup,         // 2 race set-up
    RaceScene,         // 3 race
    nullptr,           // 4 (none)
    StageSelectScene,  // 5 stage select
    CountdownScene,    // 6 countdown
    ResultsScene,      // 7 results
    nullptr,           // 8 (none)
    OpeningScreen,     // 9 opening
    SettingsScene,     // 10 settings
};

}  // namespace

SceneHandler FindSceneHandler(int32_t scene) {
    if (scene < 0 || scene >= static_cast<int32_t>(std::size(kHandlers))) return nullptr;
    return kHandlers[scene];
}

void RunScene() {
    if (SceneHandler handler = FindSceneHandler(Scene)) handler();
}
