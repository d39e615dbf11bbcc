// The folder the game's media files are opened from.
#pragma once

constexpr int kProgramDirSize = 1024;

// The folder of the game's sounds, tunes, sprite sheet and shipped courses, ending with a path
// separator: the executable's own folder, or for an installed game the share folder beside its
// bin folder (share/tidewake/, or share/games/tidewake/ for the Debian package).
extern char ProgramDir[kProgramDirSize];

// Fills ProgramDir and returns it.
const char* GetProgramDir();
