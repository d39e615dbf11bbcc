// The main loop's own state: the pause and the screenshot key.
#pragma once

#include <cstdint>

// 1 while a race or a replay is paused, else 0.
extern int32_t GamePaused;
// Edge state of P, polled before every frame.
extern int32_t PauseKey;
// Edge state of the screenshot key (F12, Print Screen), polled after every frame.
extern int32_t ScreenshotKey;
