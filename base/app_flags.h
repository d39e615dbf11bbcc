// The application's flags as the window, the main loop and the shutdown change them: whether the
// game is active, how far shutdown got, the quit message and the exit status.
#pragma once

#include <cstdint>

#include "base/app_state.h"

// 1 while the game is the active application (frames run), 0 while another one is.
void SetAppActive(int32_t active);

// Records how far shutdown got: kShutdownRunning, kShutdownClosing or kShutdownReleased.
void SetShutdownState(int32_t state);

// The quit message is posted: the main loop leaves once the event queue is empty.
void PostQuit();

// The status the process exits with once the main loop ends.
void SetExitStatus(int32_t status);

// A run of the game starts with nothing shut down, no quit posted and a clean exit status.
void ResetShutdown();
