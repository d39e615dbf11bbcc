// The boats as the title shows them: the player's flies through the formation, and every race
// that follows finds the boats where the title left them until its set-up.
#pragma once

#include <cstdint>

// Before the title's first frame: the player's boat 100 along x from the middle and 450 up,
// every bow, the player's and the opponents', along +x.
void ParkBoatsForTitle();

// Puts the player's boat, flying through the title, at (x, y, z) with its bow at `heading`
// (tenths of a degree, 0..3599).
void PlaceTitleBoat(float x, float y, float z, int32_t heading);
