// Sound effects and music, as the game asks for them. Included by platform.h.
#pragma once

#include <cstddef>
#include <cstdint>

namespace platform {

// The format block of a WAVE file: the 16-byte PCM format, then any extra format bytes.
struct WaveFormat {
    uint16_t formatTag;
    uint16_t channels;
    uint32_t samplesPerSecond;
    uint32_t averageBytesPerSecond;
    uint16_t blockAlign;
    uint16_t bitsPerSample;
    const uint8_t* extra;  // extraSize bytes, or nullptr
    uint16_t extraSize;
};

// Opens the sound device. False when there is none; every other call below then does nothing.
bool StartAudio();
// Stops every sound and the music and closes the device.
void StopAudio();

// Makes a sound from a WAVE file's format and samples. Returns its handle (0 or more), or -1
// when the device refuses it.
int CreateSound(const WaveFormat& format, const uint8_t* samples, size_t size);
// Stops the sound if it is playing, then plays it once.
void PlaySound(int handle);
void ReleaseSound(int handle);

// Opens a MIDI tune. False when it cannot be played (the game then stays silent).
bool OpenMusic(const char* path);
// Plays the open tune from its beginning, looping without a gap until stopped.
void PlayMusic();
// Stops the tune and forgets it; the next OpenMusic starts afresh.
void CloseMusic();

}  // namespace platform
