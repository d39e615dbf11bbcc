// Sound effects: four short WAV samples played on game events.
#pragma once

#include <cstdint>

// Sound ids of the four effects, filled at start-up.
extern int32_t GateSound;
extern int32_t BoostSound;
extern int32_t JumpSound;
extern int32_t CrashSound;

constexpr int32_t kSoundSlots = 30;

// 1 while the sound device is open; without it every sound request does nothing.
extern int32_t SoundDeviceOpen;
// Per sound id: 1 when the slot holds a loaded sound, and that sound's platform handle.
extern int32_t SoundInUse[kSoundSlots];
extern int32_t SoundHandles[kSoundSlots];

// Opens the sound device and empties the sound slots (part of InitMedia).
void StartSoundDevice();

// Loads a WAV file from the program's folder. Returns its sound id, or 0 on failure.
int32_t LoadSound(const char* fileName);

// Stops the effect and plays it again once.
void PlayEffect(int32_t soundId);

// Releases every sound and closes the music (part of ShutDownMedia).
void ShutDownAudio();
