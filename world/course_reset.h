// The course world back to its start before every race and every replay.
#pragma once

// Flat water with a fresh random swing for every grid point (441 draws of the game's random
// numbers), the buoys at rest and no wake.
void ResetCourseAnimation();
