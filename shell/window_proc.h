// What the game does with the few window events that matter.
#pragma once

#include "platform/platform.h"

// Activation starts and stops the frames; Escape and closing the window shut the game down;
// the end of a tune lets the music go on.
void HandleWindowEvent(platform::EventType event);

// Releases the display, the sound and the text state, once.
void ShutDownMedia();

// Ends the game from inside a frame (a fatal error): media released, the main loop leaves before
// another frame runs, and the process exits with the given status.
void QuitGame(int32_t exitStatus);
