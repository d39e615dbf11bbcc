#include "screens/screen_state.h"

int32_t ScreenFrames = 0;
double Countdown = 0.0;
int32_t TitleDrift = 0;
int32_t BoatModelHeading = 0;
int32_t TitleUpKey = 0;
int32_t TitleDownKey = 0;
int32_t SelectLeftKey = 0;
int32_t SelectRightKey = 0;
int32_t SelectDownKey = 0;
int32_t ResultsDownKey = 0;
int32_t ResultsUpKey = 0;
int32_t StepLatch = 0;
int32_t SettingsKeys[kSettingsKeys] = {};
int32_t SettingsRowChosen = 0;
int32_t KeyRowChosen = 0;
int32_t ShowingKeyList = 0;
int32_t AwaitingKey = 0;
int32_t KeysChanged = 0;
int32_t ChosenWindowScale = kWindowAsOpened;
