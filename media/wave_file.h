// The game's own reader of RIFF WAVE files.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/audio.h"

// What a WAVE file holds: its format block and its samples, copied unchanged.
struct WaveFile {
    // The 16-byte wave format, the 16-bit count of extra bytes, then the extra bytes.
    std::vector<uint8_t> formatBlock;
    std::vector<uint8_t> data;

    // The format block as the platform takes it (points into formatBlock).
    platform::WaveFormat Format() const;
};

// Reads a WAVE file. False, with `wave` emptied, when the file is missing or is not a well-formed
// WAVE: no part of a file is ever read past its end, and nothing larger than the file is
// allocated.
bool ReadWaveFile(const char* path, WaveFile& wave);
// The same, with `why` saying what kept the file from being read when it fails.
bool ReadWaveFile(const char* path, WaveFile& wave, std::string& why);

// The same rules over bytes already in memory.
bool ReadWaveBytes(const uint8_t* bytes, size_t size, WaveFile& wave);
