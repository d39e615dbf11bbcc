// Controls of the headless platform: the runner and the tests drive the game through these.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace headless {

// Puts the platform back to its start: clock at 0, no keys down, no events, drawing and text
// on, an empty sound record, no player data folder, the given seed as the calendar time.
void Reset(uint32_t seed = 1);

// With drawing off the back buffer cannot be locked, so every frame runs without drawing.
void SetDrawing(bool on);
// With text off only the text output is skipped.
void SetText(bool on);

// The player's data folder: none after Reset (tests keep to their own folders), the real one
// for the runner, or any folder a test names.
void SetUserDataDir(const std::string& dir);
void UsePlayerDataFolder();

// The settings folder (settings.ini, keys.ini): none after Reset, or the player's own, whose
// keys.ini is then read as the game reads it (the runner's --settings).
void SetSettingsDir(const std::string& dir);
void UsePlayerSettingsFolder();

// The folder reported as the executable's.
void SetExecutableDir(const std::string& dir);

// Queues a window event; sets a key's state as if the user pressed or released it.
void PushEvent(platform::EventType event);
void SetKey(platform::Key key, bool down);

// Presses or releases a key by the name the desktop gives it ("W", "Left Shift"): it counts for
// the game keys it stands for, and may be bound in the settings. False for a name no key has,
// and always in the browser's runner, whose keys are the game's own.
bool SetNamedKey(const std::string& name, bool down);

// The window size last asked for (2 after Reset).
int AskedWindowScale();

// The virtual millisecond clock: Sleep and SpinPause move it, and so can tests.
uint32_t Clock();
void AdvanceClock(uint32_t ms);

// The frame number the sound record is stamped with (the runner sets it before each frame).
void SetFrameNumber(int32_t frame);

// The back buffer as it was last presented.
const uint8_t* PresentedFrame();
// The live back buffer.
const uint8_t* BackBuffer();
int BackBufferPitch();
const platform::Rgb* Palette();
int PresentCount();

// Error boxes shown so far (caption ": " text).
const std::vector<std::string>& ErrorBoxes();

// What would have been heard, one entry per request, in order.
struct AudioRecord {
    int32_t frame;
    std::string what;    // "effect", "music-open", "music-play", "music-close"
    std::string detail;  // sound handle or tune path
};
const std::vector<AudioRecord>& AudioLog();

}  // namespace headless
