// The shell's own globals: which scene runs, whether frames run at all, how far shutdown got.
#pragma once

#include <cstdint>

// Number of the scene whose handler runs in the next frame.
extern int32_t Scene;

// 1 while the game is the active application; frames run only then.
extern int32_t AppActive;

// kShutdownRunning, kShutdownClosing or kShutdownReleased.
extern int32_t ShutdownState;

// Set once the quit message has been posted; the main loop leaves when the queue is empty.
extern bool QuitPosted;

// Exit status of the process once the main loop ends: non-zero after a fatal error.
extern int32_t ExitStatus;

// Values of ShutdownState: running; closing; display and sound released.
constexpr int32_t kShutdownRunning = 0;
constexpr int32_t kShutdownClosing = 1;
constexpr int32_t kShutdownReleased = 2;

// Scene numbers.
constexpr int32_t kSceneReset = 0;
constexpr int32_t kSceneTitle = 1;
constexpr int32_t kSceneRaceSetup = 2;
constexpr int32_t kSceneRace = 3;
constexpr int32_t kSceneStageSelect = 5;
constexpr int32_t kSceneCountdown = 6;
constexpr int32_t kSceneResults = 7;
constexpr int32_t kSceneOpening = 9;
constexpr int32_t kSceneSettings = 10;
// Not a scene: what the main loop's hook hears after a paused frame, in which no scene ran.
constexpr int32_t kScenePaused = -2;
