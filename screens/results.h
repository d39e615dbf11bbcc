// The results (scene 7): a camera circles the player's boat where it stopped, over the
// announcement, the lap times with their record marks, and the keys for the replay and the
// title.
#pragma once

#include "screens/screen_state.h"

// The announcement slides and fades in over this many frames and then stands still.
constexpr int32_t kResultsSlideFrames = 40;

// One frame of the results. Up held starts the replay; Down held returns to the title and wins
// when both are held.
void ResultsScene();
