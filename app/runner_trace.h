// The runner's per-frame CSV trace: which scene ran, and what the game state was after it.
#pragma once

#include <cstdint>
#include <cstdio>

// The header row, without the line end. Racing a ghost adds its columns at the end:
// ghost_x, ghost_y, ghost_z, ghost_heading and split.
const char* TraceHeader(bool ghostColumns = false);

// One row for the frame just run, with the ghost's columns when asked: its boat after the race
// frame just run and the split on show, each empty where there is none.
void WriteTraceRow(std::FILE* out, int32_t frame, int32_t sceneThatRan, bool ghostColumns = false);
