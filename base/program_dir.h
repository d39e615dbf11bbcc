// The folder the game's media files are opened from.
#pragma once

#include "base/base_state.h"

// Fills ProgramDir and returns it: the executable's own folder, or for an installed game the
// share folder beside its bin folder (share/tidewake/, or share/games/tidewake/ for the Debian
// package).
const char* GetProgramDir();
