// Counters the front-end screens share with the rest of the game.
#pragma once

#include <cstdint>

// Frame counter of the opening and of the results screen (they never run together); the finish
// of a race sets it to 0 so the results' announcement slides in from the top.
extern int32_t ScreenFrames;

// Seconds left on the start countdown: 3.2 when it begins, 0.03 less every frame.
extern double Countdown;

// Change of the title camera's x per frame.
extern int32_t TitleDrift;
