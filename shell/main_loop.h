// Start-up and the main loop: one scene frame per pass while the game is active.
#pragma once

#include <cstdint>

// Called after every frame with the scene whose handler ran; returning false ends the game
// there (the runner's frame limit).
using AfterFrameHook = bool (*)(int32_t sceneThatRan, void* context);

// Brings the game up and runs it until it quits. Returns the process exit status: 0 after a
// normal quit, non-zero when the game could not start or ended on a fatal error.
int RunGame(AfterFrameHook afterFrame = nullptr, void* context = nullptr);
