// One frame of the living course, for every scene that shows it (stage select, countdown, race,
// results): animates the water, the buoys and the wake, draws the whole 3D world and the course
// map, and runs the checkpoint tests between the buoys, where the race has always run them.
#pragma once

#include <cstdint>

// Needs the camera placed for the frame. With the frame unlocked it draws nothing but animates
// and tests exactly the same. Leaves DrawColour at 255.
void UpdateCourseWorld();

// Draws opponent `slot`'s boat where it stands, with its heading and bob.
void DrawOpponentAsItStands(int32_t slot);
