// The stage select (scene 5): the chosen course seen from a camera circling high above it, its
// name, texts and records. Left and Right step through the stage files, Down starts the race.
#pragma once

#include "screens/screen_state.h"

// One frame of the stage select.
void StageSelectScene();

// The stage select's camera, circling high above the middle of the water at OrbitAngle.
void PlaceStageSelectCamera();

// The course's outline, the checkpoints joined in order above the water, which the stage select
// draws over the course world.
void DrawCourseOutline();
