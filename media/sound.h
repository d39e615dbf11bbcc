// Sound effects: four short WAV samples played on game events.
#pragma once

#include <cstdint>

#include "media/media_state.h"

// Opens the sound device and empties the sound slots (part of InitMedia).
void StartSoundDevice();

// Loads a WAV file from the program's folder. Returns its sound id, or 0 on failure.
int32_t LoadSound(const char* fileName);

// Loads the game's four effects into GateSound, BoostSound, JumpSound and CrashSound.
void LoadSoundEffects();

// Stops the effect and plays it again once.
void PlayEffect(int32_t soundId);

// How loud the effects and the music play from now on: 0 (silent) to 10 (as recorded); values
// outside are taken as the nearest end.
void ChooseEffectsVolume(int32_t volume);
void ChooseMusicVolume(int32_t volume);

// While `silenced`, PlayEffect plays nothing: for a race run that nobody watches.
void SilenceEffects(bool silenced);

// Releases every sound and closes the music (part of ShutDownMedia).
void ShutDownAudio();
