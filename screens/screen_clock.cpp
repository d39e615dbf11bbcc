#include "screens/screen_clock.h"

#include "screens/screen_state.h"

void ResetScreenClock() {
    ScreenFrames = 0;
}
