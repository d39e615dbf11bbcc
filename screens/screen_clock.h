// Restarting the frame count the opening and the results run by.
#pragma once

// Sets ScreenFrames back to 0: the opening starts over, or the results' announcement slides in
// from the top again.
void ResetScreenClock();
