// A look at a MIDI file before it goes to the music player.
#pragma once

#include <string>

namespace platform {

// Whether the file is a whole Standard MIDI File: its header, and as many track chunks as the
// header announces, each wholly inside the file. False, with `why` saying what is wrong, for a
// file that is missing, not MIDI, or cut short.
bool IsWholeMidiFile(const char* path, std::string& why);

}  // namespace platform
