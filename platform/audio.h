// Sound effects and music, as the game asks for them. Included by platform.h.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

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

constexpr uint16_t kPcmFormatTag = 1;

// Whether a format may go to the backend: a PCM format must describe samples a mixer can play
// (1 to 8 channels of 8, 16 or 32-bit samples, whole sample frames, a rate that makes sense);
// any other encoding passes, and the backend decides whether it can decode it.
inline bool IsSaneWaveFormat(const WaveFormat& f) {
    if (f.formatTag != kPcmFormatTag) return true;
    if (f.channels < 1 || f.channels > 8) return false;
    if (f.bitsPerSample != 8 && f.bitsPerSample != 16 && f.bitsPerSample != 32) return false;
    if (f.samplesPerSecond < 1000 || f.samplesPerSecond > 384000) return false;
    return f.blockAlign == f.channels * (f.bitsPerSample / 8);
}

// Opens the sound device. False, with `why` saying what the system reported, when there is none;
// every other call below then does nothing.
bool StartAudio(std::string& why);
// Stops every sound and the music and closes the device.
void StopAudio();

// The loudest volume; 0 is silent, and each step between is a tenth of the samples' amplitude.
constexpr int kFullVolume = 10;
// How loud every effect and the music play from now on, 0..kFullVolume (both start full).
void SetEffectsVolume(int volume);
void SetMusicVolume(int volume);

// Makes a sound from a WAVE file's format and samples (PCM is converted to the device's format,
// other encodings are decoded by the backend). Returns its handle (0 or more), or -1 when the
// device refuses it. A trailing part of a sample frame is ignored.
int CreateSound(const WaveFormat& format, const uint8_t* samples, size_t size);
// Stops the sound if it is playing, then plays it once.
void PlaySound(int handle);
void ReleaseSound(int handle);

// Opens a MIDI tune. False when it cannot be played (the game then stays silent), with `why`
// saying what is wrong with the file; `why` is empty when there is no sound device at all.
bool OpenMusic(const char* path, std::string& why);
// Plays the open tune from its beginning, looping without a gap until stopped.
void PlayMusic();
// Stops the tune and forgets it; the next OpenMusic starts afresh.
void CloseMusic();
// Holds the open tune where it is (true), or lets it go on from there (false).
void HoldMusic(bool held);

}  // namespace platform
