// The base layer's own globals: the angle tables, the folder the media come from, and the stamp
// the frame pace waits from.
#pragma once

#include <cstdint>

// Angles run in tenths of a degree; a full turn is this many.
constexpr int kFullTurn = 3600;

constexpr int kProgramDirSize = 1024;

// Sine of every angle 0..3599 (tenths of a degree), filled at each reset by BuildTrigTables.
extern float SinTable[kFullTurn];
// Cosine of every angle 0..3599 (tenths of a degree), filled with SinTable.
extern float CosTable[kFullTurn];

// Folder of the game's sounds, tunes, sprite sheet and shipped courses, ending with a path
// separator; empty until GetProgramDir fills it, and when the folder's name is too long.
extern char ProgramDir[kProgramDirSize];

// Platform tick, in milliseconds, at which the last frame-pace wait ended.
extern uint32_t FramePaceTick;
