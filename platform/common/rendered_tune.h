// Tunes rendered ahead of time: a MIDI tune synthesised live costs a fifth of what the game
// spends on a core, so the build renders our tunes once, and the player plays the rendering.
// A rendering is known by the contents of the tune it was made from, so a tune that was changed
// or replaced is never played as the rendering of another; it is synthesised live instead.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace platform {

// Sixteen hex digits naming a tune by its bytes (64-bit FNV-1a).
std::string TuneKey(const uint8_t* bytes, size_t size);

// The key of the file at `path`; empty when it cannot be read.
std::string TuneKeyOfFile(const char* path);

// Where the rendering of the tune at `midiPath` with key `key` lies: the tunes/ folder beside it.
std::string RenderedTunePath(const std::string& midiPath, const std::string& key);

// The rendering of the tune at `midiPath` when there is one for its present contents, else empty.
std::string FindRenderedTune(const char* midiPath);

}  // namespace platform
