// Background music: one looping MIDI tune at a time.
#pragma once

#include <cstdint>

#include "media/media_state.h"

// Opens and starts the tune if none is open; called by a scene every frame.
void StartSceneMusic(const char* fileName);

// Stops and closes the open tune.
void StopMusic();

// Holds the open tune where it is, or lets it go on.
void HoldMusic(bool held);

// The tune reported its end.
void HandleMusicEnded();
