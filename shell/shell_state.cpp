#include "shell/shell_state.h"

int32_t GamePaused = 0;
int32_t PauseKey = 0;
int32_t ScreenshotKey = 0;
