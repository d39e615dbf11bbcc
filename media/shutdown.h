// Releasing the display, the sound and the text state, once, however the game ends.
#pragma once

#include <cstdint>

// Releases the display, the sound and the text state.
void ShutDownMedia();

// Unlocks the frame and releases the media unless that has happened already.
void ShutDownOnce();

// Ends the game from inside a frame (a fatal error): media released, the main loop leaves before
// another frame runs, and the process exits with the given status.
void QuitGame(int32_t exitStatus);
