// Start-up and the main loop: one scene frame per pass while the game is active.
#pragma once

#include <cstdint>

// Called after every frame with the scene whose handler ran; returning false ends the game
// there (the runner's frame limit).
using AfterFrameHook = bool (*)(int32_t sceneThatRan, void* context);

// The exit status when the replay to start with cannot be played.
constexpr int kReplayRefused = 2;

// Brings the game up and runs it until it quits. Returns the process exit status: 0 after a
// normal quit, non-zero when the game could not start or ended on a fatal error. With a
// `replayFile` the game starts in that replay instead of the opening, and goes on from the title
// once the player leaves it; a replay that cannot be played is told about and ends the game
// with kReplayRefused before a frame runs. A `ghostFile` is the replay to race against whenever
// its course is raced; one that cannot race is told about and ends the game the same way.
int RunGame(AfterFrameHook afterFrame = nullptr, void* context = nullptr,
            const char* replayFile = nullptr, const char* ghostFile = nullptr);
