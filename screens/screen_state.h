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

// Key states of the stage select (Left, Right, Down) and of the results (Down, Up). They keep
// their values from one visit of a screen to the next.
extern int32_t SelectLeftKey;
extern int32_t SelectRightKey;
extern int32_t SelectDownKey;
extern int32_t ResultsDownKey;
extern int32_t ResultsUpKey;

// 1 after the stage select stepped to another stage, until neither Left nor Right is held: one
// step per press.
extern int32_t StepLatch;
