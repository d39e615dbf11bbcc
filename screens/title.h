// The title screen (scene 1).
#pragma once

#include <cstdint>

#include "screens/screen_state.h"

// One frame of the title: a spinning formation of 25 boats, the player's boat flying through,
// a rolling camera swinging along x, and the four text rows. Up held starts the race set-up,
// Down held opens the settings.
void TitleScreen();

// The title's picture without its texts, moved on a frame: what the settings are shown over.
void DrawTitleBackdrop();

// Before the title's first frame: the formation at its own heading, the camera's swing starting
// toward -x.
void ResetTitleAnimation();
