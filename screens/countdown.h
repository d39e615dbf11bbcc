// The start countdown (scene 6): the grid seen from behind the player's boat, 3, 2, 1 counting
// down over the living course, then the race.
#pragma once

#include <cstddef>

#include "screens/screen_state.h"

// The countdown as shown: Countdown rounded to a whole number ("3", "2", "1").
void FormatCountdownDigit(char* digit, size_t size, double countdown);

// One frame of the countdown; no key is read. Below 1.0 the race begins.
void CountdownScene();
