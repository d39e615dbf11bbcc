#include "base/app_state.h"

int32_t Scene = 0;
int32_t AppActive = 0;
int32_t ShutdownState = 0;
bool QuitPosted = false;
int32_t ExitStatus = 0;
