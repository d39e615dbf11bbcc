// The folder the game's media files are opened from.
#pragma once

constexpr int kProgramDirSize = 256;

// The executable's folder, ending with a path separator.
extern char ProgramDir[kProgramDirSize];

// Fills ProgramDir and returns it.
const char* GetProgramDir();
