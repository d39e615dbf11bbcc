#include "screens/screen_state.h"

int32_t ScreenFrames = 0;
double Countdown = 0.0;
int32_t TitleDrift = 0;
